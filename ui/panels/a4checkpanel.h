#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class A4CheckPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// "A4 normal paper printing": the three-page check sheet, headed by the model chosen on the
// start-up form.
class A4CheckPanel final : public OperationPanel {
  Q_OBJECT

 public:
  A4CheckPanel(ServiceContext& context, PanelHost& host);
  ~A4CheckPanel() override;

 public slots:
  void A4CheckPrintOKBtnClick();

 private:
  std::unique_ptr<::Ui::A4CheckPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
};

}  // namespace opal::ui
