#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class BidItemsPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

class BidInputPanel;

// `BidPnl`, the Bi-D item of the individual form: print the check page, input the values, or
// list the values the printer holds.
class BidItemsPanel : public OperationPanel {
  Q_OBJECT

 public:
  BidItemsPanel(ServiceContext& context, PanelHost& host, BidInputPanel& input);
  ~BidItemsPanel() override;

  void RestoreFirstChoice() override;

 public slots:
  void BidOKBtnClick();

 private:
  std::unique_ptr<::Ui::BidItemsPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
  BidInputPanel& input_;
};

}  // namespace opal::ui
