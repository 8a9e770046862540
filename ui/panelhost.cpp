#include "ui/panelhost.h"

namespace opal::ui {

void PanelHost::ShowResultCode(StatusMode mode, Result code) {
  ShowStatus(mode, QString::fromStdString(ResultMessage(code)));
}

void PanelHost::MoveStatusMemoForReport() {}

StatusReport PanelHost::Report() {
  return [this](StatusMode mode, std::string_view text) {
    ShowStatus(mode, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  };
}

}  // namespace opal::ui
