#include "ui/panels/chipreportpanel.h"

#include "ui_chipreportpanel.h"

namespace opal::ui {

ChipReportPanel::ChipReportPanel(PanelHost& host)
    : OperationPanel(PanelId::ChipReport),
      ui_(std::make_unique<::Ui::ChipReportPanel>()),
      host_(host) {
  ui_->setupUi(this);
  connect(ui_->ZLICInfoRtnBtn, &QPushButton::clicked, this, &ChipReportPanel::ZLICInfoRtnBtnClick);
}

ChipReportPanel::~ChipReportPanel() = default;

void ChipReportPanel::SetTitle(const QString& title) {
  ui_->ZLICInfoLbl->setText(title);
}

void ChipReportPanel::ZLICInfoRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::ChipInfoChoice);
}

}  // namespace opal::ui
