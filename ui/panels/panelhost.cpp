#include "ui/panels/panelhost.h"

namespace opal::ui {

void PanelHost::ShowResultCode(StatusMode mode, Result code) {
  ShowStatus(mode, QString::fromStdString(command_.Message(code)));
}

void PanelHost::ShowOutcome(Result result, std::string_view done_text) {
  ReportOutcome(Report(), command_, result, done_text);
}

void PanelHost::MoveStatusMemoForReport() {}

StatusReport PanelHost::Report() {
  return
      [this](StatusMode mode, std::string_view text) { ShowStatus(mode, QString::fromUtf8(text)); };
}

}  // namespace opal::ui
