#include "ui/panels/hexentrypanel.h"

#include "device/eeprom.h"
#include "ui/widgets/uppercaseinput.h"

namespace opal::ui {

void HexEntryPanel::SetEntryEdits(QLineEdit& first, QLineEdit& second) {
  first_ = &first;
  second_ = &second;
  ForceUpperCase(first);
  ForceUpperCase(second);
}

void HexEntryPanel::ClearEntry() {
  first_->clear();
  second_->clear();
}

void HexEntryPanel::showEvent(QShowEvent* event) {
  OperationPanel::showEvent(event);
  first_->setFocus();
}

std::string HexEntryPanel::Text(const QLineEdit& edit) {
  // One byte a character, so anything beyond Latin-1 is refused rather than misread.
  return edit.text().toLatin1().toStdString();
}

void HexEntryPanel::Refuse(PanelHost& host) {
  host.ShowStatus(StatusMode::Error, kInputDataIsWrong);
  first_->setFocus();
}

}  // namespace opal::ui
