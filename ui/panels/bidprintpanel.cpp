#include "ui/panels/bidprintpanel.h"

#include <QPushButton>

#include "ui/panels/bidinputpanel.h"
#include "ui/seams/printerworker.h"
#include "ui_bidprintpanel.h"

namespace opal::ui {
BidPrintPanel::BidPrintPanel(ServiceContext& context, PanelHost& host, PanelRole role,
                             BidInputPanel& input)
    : BidStepPanel(PanelId::BidPrint, context, host, role, "BidPrnPnl"),
      ui_(std::make_unique<::Ui::BidPrintPanel>()),
      input_(input) {
  ui_->setupUi(this);
  SetUpRole({.adjustment_action = ui_->BidPrnOKBtn,
             .previous = ui_->BidPrnRtnBtn,
             .repair_action = ui_->BidPrintBtn,
             .other_panel = ui_->BidAdjustBtn,
             .complete = ui_->BidCompleteBtn});
  connect(action_button_, &QPushButton::clicked, this, &BidPrintPanel::BidPrnOKBtnClick);
  if (role == PanelRole::RepairStep) {
    connect(other_panel_button_, &QPushButton::clicked, this, &BidPrintPanel::BidAdjustBtnClick);
  } else {
    // Only the repair form prints a nozzle check with the same track bar.
    ui_->NozzleScaleLbl->hide();
  }
}

BidPrintPanel::~BidPrintPanel() = default;

void BidPrintPanel::ClearInput() {
  BidStepPanel::ClearInput();
  ui_->BidPrintTrackBar->setValue(0);
}

void BidPrintPanel::BidPrnOKBtnClick() {
  // The print reports every outcome on the status lines itself.
  const int steps = ui_->BidPrintTrackBar->value();
  host_.ShowLeftBehind(OffTheWindow([&, report = host_.Report()] {
    return context_.operations.PrintBidCheckPage(steps, report);
  }));
}

void BidPrintPanel::BidAdjustBtnClick() {
  hide();
  input_.ShowAndReadValues();
}

}  // namespace opal::ui
