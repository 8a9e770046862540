#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class CounterCheckPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// CounterCheckPnl: reads the waste-ink protection counter and shows its value. The limits on the
// panel are for the technician; the value is not compared with them.
class CounterCheckPanel final : public OperationPanel {
  Q_OBJECT

 public:
  CounterCheckPanel(ServiceContext& context, PanelHost& host);
  ~CounterCheckPanel() override;

 public slots:
  void CounterCheckOKBtnClick();
  void CounterCheckRtnBtnClick();

 private:
  std::unique_ptr<::Ui::CounterCheckPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
};

}  // namespace opal::ui
