#include "ui/counterclearpanel.h"

#include "maintenance/maintenance.h"
#include "ui/stepcompletebutton.h"
#include "ui_counterclearpanel.h"

namespace opal::ui {

CounterClearPanel::CounterClearPanel(ServiceContext& context, PanelHost& host, PanelRole role)
    : OperationPanel(PanelId::CounterClear),
      ui_(std::make_unique<::Ui::CounterClearPanel>()),
      context_(context),
      host_(host),
      role_(role) {
  ui_->setupUi(this);
  connect(ui_->CounterClearOKBtn, &QPushButton::clicked, this,
          &CounterClearPanel::CounterClearOKBtnClick);
  complete_ = SetUpSecondButton(*this, *ui_->CounterClearRtnBtn, role, "CounterClearCompleteBtn",
                                &CounterClearPanel::CounterClearRtnBtnClick);
  if (complete_ != nullptr) {
    ui_->CounterClearInstLbl->setText(
        QStringLiteral("The protection counter is initialized by clicking OK button."));
  }
}

CounterClearPanel::~CounterClearPanel() = default;

void CounterClearPanel::ClearInput() {
  if (complete_ != nullptr) complete_->setEnabled(false);
}

void CounterClearPanel::CounterClearOKBtnClick() {
  if (!context_.dialogs.Confirm(QString::fromUtf8(kCounterClearQuestion))) {
    context_.dialogs.Warn(QString::fromUtf8(kCounterClearRetry));
    // A repair step stays open for another try; the individual form starts over.
    if (role_ == PanelRole::Adjustment) {
      host_.ResetPanels(false);
      host_.ShowPanel(PanelId::Canvas);
    }
    return;
  }
  const Result result = context_.modules.maintenance.ClearProtectionCounter();
  if (result != PORT_OK) {
    host_.ShowResultCode(StatusMode::Error, result);
    return;
  }
  host_.ShowStatus(StatusMode::Plain, QString::fromUtf8(kCounterCleared));
  host_.SetAdjustedItem(AdjustedItem::ProtectionCounter,
                        QString::fromUtf8(kCounterFieldAfterClear));
  if (complete_ != nullptr) complete_->setEnabled(true);
}

void CounterClearPanel::CounterClearRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::CounterChoice);
}

}  // namespace opal::ui
