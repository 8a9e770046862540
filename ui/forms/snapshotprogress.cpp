#include "ui/forms/snapshotprogress.h"

#include <QCoreApplication>

#include "ui/seams/printerworker.h"

namespace opal::ui {

void ShowSnapshotProgressIn(ServiceContext& context, PanelHost& host) {
  if (context.journal == nullptr) return;
  context.journal->SetSnapshotProgress([&host](std::size_t read, std::size_t total) {
    OnTheWindow([&] {
      host.ShowStatus(
          StatusMode::Busy,
          QCoreApplication::translate("SnapshotProgress",
                                      "Keeping a copy of the printer's EEPROM for the service "
                                      "journal before its first write: %1 of %2 bytes read.")
              .arg(read)
              .arg(total));
    });
  });
}

}  // namespace opal::ui
