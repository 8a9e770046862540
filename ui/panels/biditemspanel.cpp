#include "ui/panels/biditemspanel.h"

#include "device/bid.h"
#include "ui/panels/bidinputpanel.h"
#include "ui/seams/printerworker.h"
#include "ui_biditemspanel.h"

namespace opal::ui {
namespace {

enum BidItem { kPrintPattern, kInputValues, kCheckPresentValues };

}  // namespace

BidItemsPanel::BidItemsPanel(ServiceContext& context, PanelHost& host, BidInputPanel& input)
    : OperationPanel(PanelId::BidChoice),
      ui_(std::make_unique<::Ui::BidItemsPanel>()),
      context_(context),
      host_(host),
      input_(input) {
  ui_->setupUi(this);
  RestoreFirstChoice();
  connect(ui_->BidOKBtn, &QPushButton::clicked, this, &BidItemsPanel::BidOKBtnClick);
}

BidItemsPanel::~BidItemsPanel() = default;

void BidItemsPanel::RestoreFirstChoice() {
  ui_->BidRdoBtn->SetItemIndex(kPrintPattern);
}

void BidItemsPanel::BidOKBtnClick() {
  switch (ui_->BidRdoBtn->ItemIndex()) {
    case kPrintPattern:
      // The panel reset also puts the print panel's track bar back to 0.
      host_.ResetPanels(false);
      host_.ShowPanel(PanelId::BidPrint);
      break;
    case kInputValues:
      host_.ResetPanels(false);
      input_.ShowAndReadValues();
      break;
    case kCheckPresentValues:
      if (const Result result = OffTheWindow(
              [&, report = host_.Report()] { return context_.operations.ReportBidValues(report); });
          result != PORT_OK) {
        host_.ShowResultCode(StatusMode::Error, result);
      }
      break;
    default:
      break;
  }
}

}  // namespace opal::ui
