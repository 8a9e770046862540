#include "ui/panels/dataresetpanel.h"

#include "ui/seams/printerworker.h"
#include "ui_dataresetpanel.h"

namespace opal::ui {

DataResetPanel::DataResetPanel(ServiceContext& context, PanelHost& host)
    : OperationPanel(PanelId::DataReset),
      ui_(std::make_unique<::Ui::DataResetPanel>()),
      context_(context),
      host_(host) {
  ui_->setupUi(this);
  connect(ui_->ExchangeResetOKBtn, &QPushButton::clicked, this,
          &DataResetPanel::ExchangeResetOKBtnClick);
}

DataResetPanel::~DataResetPanel() = default;

void DataResetPanel::ExchangeResetOKBtnClick() {
  host_.ShowStatus(StatusMode::Busy, QString::fromUtf8(kDataResetBusy));
  const Outcome reset = OffTheWindow([&] { return context_.operations.ResetData(); });
  if (reset.result != PORT_OK) {
    host_.ShowFailure(reset);
    return;
  }
  host_.ShowStatus(StatusMode::Done, QString::fromUtf8(kDataResetDone));
  context_.dialogs.Inform(QString::fromUtf8(kDataResetNote));
  host_.CloseWithoutInitialisation();
}

}  // namespace opal::ui
