#include "ui/seams/applicationexit.h"

#include <QCoreApplication>

#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"

namespace opal::ui {

void ApplicationExit::End(const ExitNotice& notice) {
  // Printer work may end the program from its own thread; the notice and the quitting are the
  // window's, and the exception travels back to the window's thread with the work.
  OnTheWindow([&] {
    ShowNormalCursor();
    const QString caption = QString::fromStdString(notice.caption);
    const QString text = QString::fromStdString(notice.text);
    if (!diagnose_) {
      dialogs_.Error(caption, text);
    } else if (dialogs_.ErrorOffering(
                   caption, text, QCoreApplication::translate("ApplicationExit", "Diagnose..."))) {
      diagnose_();
    }
  });
  if (port_ != nullptr) port_->Close();
  OnTheWindow([] { QCoreApplication::exit(0); });
  throw ApplicationEnding{};
}

}  // namespace opal::ui
