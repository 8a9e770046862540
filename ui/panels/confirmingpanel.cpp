#include "ui/panels/confirmingpanel.h"

namespace opal::ui {

ConfirmingPanel::ConfirmingPanel(PanelId id, ServiceContext& context, PanelHost& host,
                                 PanelRole role)
    : OperationPanel(id), context_(context), host_(host), role_(role) {}

void ConfirmingPanel::ClearInput() {
  complete_.Reset();
}

void ConfirmingPanel::RunConfirmed(std::string_view question, std::string_view refused,
                                   const std::function<Result()>& operation) {
  if (!context_.dialogs.Confirm(QString::fromUtf8(question))) {
    context_.dialogs.Warn(QString::fromUtf8(refused));
    if (role_ == PanelRole::Adjustment) {
      host_.ResetPanels(false);
      host_.ShowPanel(PanelId::Canvas);
    }
    return;
  }
  if (operation() == PORT_OK) complete_.Enable();
}

}  // namespace opal::ui
