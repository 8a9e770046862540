#pragma once

#include <memory>

#include <QString>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class ChipReportPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// One cartridge chip report under its title; the report itself stands in the status memo, which
// the chosen item moved up for it. "Previous" goes back to the choice of report.
class ChipReportPanel final : public OperationPanel {
  Q_OBJECT

 public:
  explicit ChipReportPanel(PanelHost& host);
  ~ChipReportPanel() override;

  void SetTitle(const QString& title);

 public slots:
  void ZLICInfoRtnBtnClick();

 private:
  std::unique_ptr<::Ui::ChipReportPanel> ui_;
  PanelHost& host_;
};

}  // namespace opal::ui
