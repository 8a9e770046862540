#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class DataResetPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// "Refurbishment for DOA", second panel: the data reset after the liquid exchange. A printer
// reset this way is switched off for its new waste ink pad, so the program is left without
// initialising it.
class DataResetPanel final : public OperationPanel {
  Q_OBJECT

 public:
  DataResetPanel(ServiceContext& context, PanelHost& host);
  ~DataResetPanel() override;

 public slots:
  void ExchangeResetOKBtnClick();

 private:
  std::unique_ptr<::Ui::DataResetPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
};

}  // namespace opal::ui
