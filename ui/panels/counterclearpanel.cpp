#include "ui/panels/counterclearpanel.h"

#include "ui/seams/printerworker.h"
#include "ui/widgets/coretext.h"
#include "ui_counterclearpanel.h"

namespace opal::ui {

CounterClearPanel::CounterClearPanel(ServiceContext& context, PanelHost& host, PanelRole role)
    : ConfirmingPanel(PanelId::CounterClear, context, host, role),
      ui_(std::make_unique<::Ui::CounterClearPanel>()) {
  ui_->setupUi(this);
  connect(ui_->CounterClearOKBtn, &QPushButton::clicked, this,
          &CounterClearPanel::CounterClearOKBtnClick);
  complete_ =
      StepCompleteButton(*this, role, ui_->CounterClearCompleteBtn, ui_->CounterClearRtnBtn);
  if (role == PanelRole::Adjustment) {
    connect(ui_->CounterClearRtnBtn, &QPushButton::clicked, this,
            &CounterClearPanel::CounterClearRtnBtnClick);
  } else {
    ui_->CounterClearInstLbl->setText(
        tr("The protection counter is initialized by clicking OK button."));
  }
}

CounterClearPanel::~CounterClearPanel() = default;

void CounterClearPanel::CounterClearOKBtnClick() {
  RunConfirmed(kCounterClearQuestion, kCounterClearRetry, [this] { return Clear(); });
}

Result CounterClearPanel::Clear() {
  const Outcome cleared = OffTheWindow([&] { return context_.operations.ClearCounter(); });
  if (cleared.result != PORT_OK) {
    host_.ShowFailure(cleared);
    return cleared.result;
  }
  host_.ShowStatus(StatusMode::Plain, QString::fromUtf8(kCounterCleared));
  host_.SetAdjustedItem(AdjustedItem::ProtectionCounter, CoreText(kCounterFieldAfterClear));
  return PORT_OK;
}

void CounterClearPanel::CounterClearRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::CounterChoice);
}

}  // namespace opal::ui
