#pragma once

#include <memory>

#include <QPushButton>

#include "ui/operationpanel.h"
#include "ui/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class InkChargePanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// The initial ink charge after both cartridges were replaced: "Initial ink charge" of the
// individual form (`ChargePnl`) or the "Ink charge" step of a repair (`InkChargePnl`, with its
// Complete button).
class InkChargePanel final : public OperationPanel {
  Q_OBJECT

 public:
  InkChargePanel(ServiceContext& context, PanelHost& host, PanelRole role);
  ~InkChargePanel() override;

  void ClearInput() override;

 public slots:
  void ChargeOKBtnClick();

 private:
  std::unique_ptr<::Ui::InkChargePanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
  const PanelRole role_;
  // The step's Complete button on the repair form; none on the individual form.
  QPushButton* complete_ = nullptr;
};

}  // namespace opal::ui
