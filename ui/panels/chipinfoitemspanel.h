#pragma once

#include <memory>

#include "service/operations.h"
#include "ui/panels/chipreportpanel.h"
#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class ChipInfoItemsPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// "ZLIC information": one of the four cartridge chip reports shown on the report panel
// `report` (`ZLICInfoPnl`, beside this one in the operation area), or all four printed.
class ChipInfoItemsPanel final : public OperationPanel {
  Q_OBJECT

 public:
  ChipInfoItemsPanel(ServiceContext& context, PanelHost& host, ChipReportPanel& report);
  ~ChipInfoItemsPanel() override;

 public slots:
  void ZLICInfoItemsOKBtnClick();

 private:
  void ShowReport(const ChipInfoItem& item);
  void PrintAllReports();

  std::unique_ptr<::Ui::ChipInfoItemsPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
  ChipReportPanel& report_;
};

}  // namespace opal::ui
