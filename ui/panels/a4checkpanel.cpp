#include "ui/panels/a4checkpanel.h"

#include "ui/seams/printerworker.h"
#include "ui_a4checkpanel.h"

namespace opal::ui {

A4CheckPanel::A4CheckPanel(ServiceContext& context, PanelHost& host)
    : OperationPanel(PanelId::A4Check),
      ui_(std::make_unique<::Ui::A4CheckPanel>()),
      context_(context),
      host_(host) {
  ui_->setupUi(this);
  connect(ui_->A4CheckPrintOKBtn, &QPushButton::clicked, this,
          &A4CheckPanel::A4CheckPrintOKBtnClick);
}

A4CheckPanel::~A4CheckPanel() = default;

void A4CheckPanel::A4CheckPrintOKBtnClick() {
  host_.ShowStatus(StatusMode::Busy, QString::fromUtf8(kA4CheckPrinting));
  const PrinterModel model = host_.SelectedModelCode();
  const Outcome printed =
      OffTheWindow([&] { return context_.operations.PrintA4CheckSheet(model); });
  host_.ShowOutcome(printed.result, kA4CheckPrinted);
  host_.ShowLeftBehind(printed);
}

}  // namespace opal::ui
