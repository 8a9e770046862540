#include "ui/panels/inkchargepanel.h"

#include "ui/panels/sequencestatus.h"
#include "ui_inkchargepanel.h"

namespace opal::ui {

InkChargePanel::InkChargePanel(ServiceContext& context, PanelHost& host, PanelRole role)
    : ConfirmingPanel(PanelId::InkCharge, context, host, role),
      ui_(std::make_unique<::Ui::InkChargePanel>()) {
  ui_->setupUi(this);
  complete_ = StepCompleteButton(*this, role, ui_->InkChargeCompleteBtn);
  if (role == PanelRole::RepairStep) {
    setObjectName(QStringLiteral("InkChargePnl"));
    ui_->TitleLbl->setText(tr("Ink charge "));
    ui_->ChargeQuestionLbl->setText(tr("Do you want to perform the ink charge? "));
  }
  connect(ui_->ChargeOKBtn, &QPushButton::clicked, this, &InkChargePanel::ChargeOKBtnClick);
}

InkChargePanel::~InkChargePanel() = default;

void InkChargePanel::ChargeOKBtnClick() {
  RunConfirmed(kInkChargeQuestion, kInkChargeRefused,
               [this] { return RunSequenceWithStatus(context_, host_, kInitialInkCharge); });
}

}  // namespace opal::ui
