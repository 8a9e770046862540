#include "ui/inkchargepanel.h"

#include "ui/sequencestatus.h"
#include "ui/stepcompletebutton.h"
#include "ui_inkchargepanel.h"

namespace opal::ui {

InkChargePanel::InkChargePanel(ServiceContext& context, PanelHost& host, PanelRole role)
    : OperationPanel(PanelId::InkCharge),
      ui_(std::make_unique<::Ui::InkChargePanel>()),
      context_(context),
      host_(host),
      role_(role) {
  ui_->setupUi(this);
  if (role_ == PanelRole::RepairStep) {
    setObjectName(QStringLiteral("InkChargePnl"));
    ui_->TitleLbl->setText(QStringLiteral("Ink charge "));
    ui_->ChargeQuestionLbl->setText(QStringLiteral("Do you want to perform the ink charge? "));
    complete_ = MakeStepCompleteButton(*this, *ui_->InkChargeCompleteBtn,
                                       QStringLiteral("InkChargeCompleteBtn"));
  } else {
    delete ui_->InkChargeCompleteBtn;
    ui_->InkChargeCompleteBtn = nullptr;
  }
  connect(ui_->ChargeOKBtn, &QPushButton::clicked, this, &InkChargePanel::ChargeOKBtnClick);
}

InkChargePanel::~InkChargePanel() = default;

void InkChargePanel::ClearInput() {
  if (complete_ != nullptr) complete_->setEnabled(false);
}

void InkChargePanel::ChargeOKBtnClick() {
  if (!context_.dialogs.Confirm(QString::fromUtf8(kInkChargeQuestion))) {
    context_.dialogs.Warn(QString::fromUtf8(kInkChargeRefused));
    // A repair step stays open for another try; the individual form goes back to its empty canvas.
    if (role_ == PanelRole::Adjustment) {
      host_.ResetPanels(false);
      host_.ShowPanel(PanelId::Canvas);
    }
    return;
  }
  const Result result = RunSequenceWithStatus(context_, host_, kInitialInkCharge);
  if (result == PORT_OK && complete_ != nullptr) complete_->setEnabled(true);
}

}  // namespace opal::ui
