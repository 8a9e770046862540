#include "ui/panels/panelhost.h"

#include "service/changewords.h"
#include "ui/seams/printerworker.h"

namespace opal::ui {

void PanelHost::ShowResultCode(StatusMode mode, Result code) {
  ShowStatus(mode, QString::fromStdString(command_.Message(code)));
}

void PanelHost::ShowOutcome(Result result, std::string_view done_text) {
  ReportOutcome(Report(), command_, result, done_text);
}

void PanelHost::ShowFailure(const Outcome& outcome) {
  ShowStatus(StatusMode::Error, QString::fromStdString(outcome.message));
  ShowLeftBehind(outcome);
}

void PanelHost::ShowLeftBehind(const Outcome& outcome) {
  const std::string left = LeftBehindLine(outcome.left_behind);
  if (!left.empty()) ShowStatus(StatusMode::NewLine, QString::fromStdString(left));
}

void PanelHost::MoveStatusMemoForReport() {}

StatusReport PanelHost::Report() {
  // Printer work reports from its own thread; the status lines are the window's.
  return [this](StatusMode mode, std::string_view text) {
    OnTheWindow([&] { ShowStatus(mode, QString::fromUtf8(text)); });
  };
}

}  // namespace opal::ui
