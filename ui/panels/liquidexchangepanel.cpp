#include "ui/panels/liquidexchangepanel.h"

#include <string>

#include "device/statusreport.h"
#include "ui/panels/operationarea.h"
#include "ui/seams/printerworker.h"
#include "ui_liquidexchangepanel.h"

namespace opal::ui {

LiquidExchangePanel::LiquidExchangePanel(ServiceContext& context, PanelHost& host)
    : OperationPanel(PanelId::LiquidExchange),
      ui_(std::make_unique<::Ui::LiquidExchangePanel>()),
      context_(context),
      host_(host) {
  ui_->setupUi(this);
  // "Next >" takes the sequence's turn without moving the instructions below it.
  KeepRoomWhenHidden(*ui_->ExchangeSequence1Pnl);
  connect(ui_->ExchangeSequence1Pnl, &ClickablePanel::Click, this,
          &LiquidExchangePanel::ExchangeSequence1PnlClick);
  connect(ui_->ExchangeCompleteNextBtn, &QPushButton::clicked, this,
          &LiquidExchangePanel::ExchangeCompleteNextBtnClick);
  ClearInput();
}

LiquidExchangePanel::~LiquidExchangePanel() = default;

void LiquidExchangePanel::ClearInput() {
  ui_->ExchangeSequence1Pnl->show();
  ui_->ExchangeCompleteNextBtn->hide();
}

void LiquidExchangePanel::ExchangeSequence1PnlClick() {
  if (!context_.dialogs.Confirm(QString::fromUtf8(kExchangeQuestion))) {
    context_.dialogs.Inform(QString::fromUtf8(kExchangeRefused));
    return;
  }
  const StatusReport report = host_.Report();
  report(StatusMode::Busy, kExchangeBusy);
  // The busy line stays on top; below it the technician sees for how long the printer has not
  // answered, so a printer that never comes back is noticed long before the polling gives up.
  const Result result = OffTheWindow([&] {
    return context_.operations.RunLiquidExchange(
        context_.sleeper, context_.sleeper, [&report](std::chrono::seconds silent) {
          report(StatusMode::Busy, std::string(kExchangeBusy) + "\n" + SilenceText(silent));
        });
  });
  host_.ShowOutcome(result, kExchangeDone);
  if (result != PORT_OK) return;
  ui_->ExchangeSequence1Pnl->hide();
  ui_->ExchangeCompleteNextBtn->show();
}

void LiquidExchangePanel::ExchangeCompleteNextBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::DataReset);
}

}  // namespace opal::ui
