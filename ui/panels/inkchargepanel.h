#pragma once

#include <memory>

#include "ui/panels/confirmingpanel.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class InkChargePanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// The initial ink charge after both cartridges were replaced: "Initial ink charge" of the
// individual form (`ChargePnl`) or the "Ink charge" step of a repair (`InkChargePnl`, with its
// Complete button).
class InkChargePanel final : public ConfirmingPanel {
  Q_OBJECT

 public:
  InkChargePanel(ServiceContext& context, PanelHost& host, PanelRole role);
  ~InkChargePanel() override;

 public slots:
  void ChargeOKBtnClick();

 private:
  std::unique_ptr<::Ui::InkChargePanel> ui_;
};

}  // namespace opal::ui
