#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class CleaningPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// "Head cleaning": the printer's powerful cleaning (CL1''), started at once without a question.
class CleaningPanel final : public OperationPanel {
  Q_OBJECT

 public:
  CleaningPanel(ServiceContext& context, PanelHost& host);
  ~CleaningPanel() override;

 public slots:
  void CleaningOKBtnClick();

 private:
  std::unique_ptr<::Ui::CleaningPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
};

}  // namespace opal::ui
