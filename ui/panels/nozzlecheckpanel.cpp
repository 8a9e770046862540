#include "ui/panels/nozzlecheckpanel.h"

#include <utility>

#include "ui/panels/sequencestatus.h"
#include "ui/panels/stepcompletebutton.h"
#include "ui/seams/printerworker.h"
#include "ui_nozzlecheckpanel.h"

namespace opal::ui {
namespace {

constexpr const char* kRetryNote = QT_TRANSLATE_NOOP(
    "opal::ui::NozzleCheckPanel",
    "If there are any dot missing, please retry this routine.\nIn the case of no-missing, click "
    "the Complete button.");

}  // namespace

NozzleCheckPanel::NozzleCheckPanel(ServiceContext& context, PanelHost& host,
                                   StatusReport print_status)
    : OperationPanel(PanelId::NozzleCheck),
      ui_(std::make_unique<::Ui::NozzleCheckPanel>()),
      context_(context),
      host_(host),
      print_status_(std::move(print_status)) {
  ui_->setupUi(this);
  connect(ui_->NozzleCheckOKBtn, &QPushButton::clicked, this,
          &NozzleCheckPanel::NozzleCheckOKBtnClick);
  // Only a repair has this step.
  complete_ = StepCompleteButton(*this, PanelRole::RepairStep, ui_->NozzleCheckCompleteBtn);
  ClearInput();
}

NozzleCheckPanel::~NozzleCheckPanel() = default;

void NozzleCheckPanel::ClearInput() {
  ui_->NozzleCheckPrintTrackBar->setValue(0);
  complete_.Reset();
  // A failed cleaning leaves OK disabled for the rest of its step; a new repair starts with it
  // usable again.
  ui_->NozzleCheckOKBtn->setEnabled(true);
}

void NozzleCheckPanel::NozzleCheckOKBtnClick() {
  ui_->NozzleCheckOKBtn->setEnabled(false);
  // An enabled Complete button means a check is already on paper: the nozzles that were missing
  // get a cleaning before the next one.
  if (complete_.IsEnabled()) {
    const Result cleaned = RunSequenceWithStatus(context_, host_, kPowerfulCleaning, [this] {
      // A printer that does not take it fails the check print that follows.
      DropResult(context_.operations.ResetPrinter());
    });
    if (cleaned != PORT_OK) return;
  }
  if (const Result printed = PrintNozzleCheck(); printed != PORT_OK) {
    // The print's own lines went to a form that is not on screen; a check that never reached
    // the paper must not invite the technician to complete the step.
    host_.ShowResultCode(StatusMode::Error, printed);
    ui_->NozzleCheckOKBtn->setEnabled(true);
    return;
  }
  context_.dialogs.Inform(tr(kRetryNote));
  complete_.Enable();
  ui_->NozzleCheckOKBtn->setEnabled(true);
}

Result NozzleCheckPanel::PrintNozzleCheck() {
  const int steps = ui_->NozzleCheckPrintTrackBar->value();
  return OffTheWindow(
      [&] { return context_.operations.PrintNozzleCheckPage(steps, print_status_); });
}

}  // namespace opal::ui
