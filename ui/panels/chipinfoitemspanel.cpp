#include "ui/panels/chipinfoitemspanel.h"

#include <string>

#include "ui/seams/printerworker.h"
#include "ui/widgets/coretext.h"
#include "ui_chipinfoitemspanel.h"

namespace opal::ui {

ChipInfoItemsPanel::ChipInfoItemsPanel(ServiceContext& context, PanelHost& host,
                                       ChipReportPanel& report)
    : OperationPanel(PanelId::ChipInfoChoice),
      ui_(std::make_unique<::Ui::ChipInfoItemsPanel>()),
      context_(context),
      host_(host),
      report_(report) {
  ui_->setupUi(this);
  ui_->ZLICInfoItemsRdoGrp->SetItemIndex(0);
  connect(ui_->ZLICInfoItemsOKBtn, &QPushButton::clicked, this,
          &ChipInfoItemsPanel::ZLICInfoItemsOKBtnClick);
}

ChipInfoItemsPanel::~ChipInfoItemsPanel() = default;

void ChipInfoItemsPanel::ZLICInfoItemsOKBtnClick() {
  // The report items come first, in the order of kChipInfoItems; printing them all is the last.
  const int item = ui_->ZLICInfoItemsRdoGrp->ItemIndex();
  if (item == static_cast<int>(kChipInfoItems.size())) {
    PrintAllReports();
  } else if (item >= 0) {
    ShowReport(kChipInfoItems.at(static_cast<std::size_t>(item)));
  }
}

void ChipInfoItemsPanel::ShowReport(const ChipInfoItem& item) {
  report_.SetTitle(CoreText(item.label));
  std::string report;
  if (const Result result =
          OffTheWindow([&] { return context_.operations.ReadChipInfo(item, report); });
      result != PORT_OK) {
    host_.ShowResultCode(StatusMode::Error, result);
    return;
  }
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::ChipReport);
  host_.MoveStatusMemoForReport();
  // The printer's line ends are CR LF; the memo wants one line break each.
  host_.ShowStatus(StatusMode::Plain, QString::fromStdString(report).replace("\r\n", "\n"));
}

void ChipInfoItemsPanel::PrintAllReports() {
  host_.ShowStatus(StatusMode::Busy, QString::fromUtf8(kChipInfoPrinting));
  if (OffTheWindow([&] { return context_.operations.PrintAllChipInfo(); }) != PORT_OK) {
    host_.ShowResultCode(StatusMode::Error, ERR_CHIP_PRINT);
    return;
  }
  context_.sleeper.Sleep(kChipInfoPrintWait);
  host_.ShowStatus(StatusMode::Done, QString::fromUtf8(kChipInfoPrinted));
}

}  // namespace opal::ui
