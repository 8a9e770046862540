#include "ui/panels/bidsteppanel.h"

#include <QPushButton>

namespace opal::ui {

BidStepPanel::BidStepPanel(PanelId id, ServiceContext& context, PanelHost& host, PanelRole role,
                           const char* repair_step_name)
    : OperationPanel(id),
      context_(context),
      host_(host),
      role_(role),
      repair_step_name_(repair_step_name) {}

void BidStepPanel::SetUpRole(const BidButtons& buttons) {
  complete_ = StepCompleteButton(*this, role_, buttons.complete, buttons.previous);
  if (role_ == PanelRole::Adjustment) {
    RemoveButton(buttons.repair_action);
    RemoveButton(buttons.other_panel);
    action_button_ = buttons.adjustment_action;
    connect(buttons.previous, &QPushButton::clicked, this, &BidStepPanel::ReturnToBidPnl);
    return;
  }
  setObjectName(QString::fromLatin1(repair_step_name_));
  RemoveButton(buttons.adjustment_action);
  action_button_ = buttons.repair_action;
  other_panel_button_ = buttons.other_panel;
  // The step is one for both panels: pressing Complete on one ends it on the other as well.
  connect(this, &OperationPanel::StepCompleted, this, [this] { emit CompleteChanged(false); });
}

void BidStepPanel::ClearInput() {
  SetComplete(false);
}

void BidStepPanel::FollowComplete(bool enabled) {
  if (enabled) {
    complete_.Enable();
  } else {
    complete_.Reset();
  }
}

void BidStepPanel::SetComplete(bool enabled) {
  FollowComplete(enabled);
  emit CompleteChanged(enabled);
}

void BidStepPanel::ReturnToBidPnl() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::BidChoice);
}

}  // namespace opal::ui
