#include "ui/panels/countercheckpanel.h"

#include <string>

#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"
#include "ui_countercheckpanel.h"

namespace opal::ui {

CounterCheckPanel::CounterCheckPanel(ServiceContext& context, PanelHost& host)
    : OperationPanel(PanelId::CounterCheck),
      ui_(std::make_unique<::Ui::CounterCheckPanel>()),
      context_(context),
      host_(host) {
  ui_->setupUi(this);
  connect(ui_->CounterCheckOKBtn, &QPushButton::clicked, this,
          &CounterCheckPanel::CounterCheckOKBtnClick);
  connect(ui_->CounterCheckRtnBtn, &QPushButton::clicked, this,
          &CounterCheckPanel::CounterCheckRtnBtnClick);
}

CounterCheckPanel::~CounterCheckPanel() = default;

void CounterCheckPanel::CounterCheckOKBtnClick() {
  ShowHourglass();
  std::string digits;
  const Result result = OffTheWindow([&] { return context_.operations.ReadCounter(digits); });
  if (result == PORT_OK) {
    host_.ShowStatus(StatusMode::Plain, QString::fromUtf8(kCounterValuePrefix));
    host_.ShowStatus(StatusMode::Append, QString::fromStdString(digits));
  } else {
    host_.ShowResultCode(StatusMode::Error, result);
  }
  ShowNormalCursor();
}

void CounterCheckPanel::CounterCheckRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::CounterChoice);
}

}  // namespace opal::ui
