#pragma once

#include <memory>

#include "ui/panels/confirmingpanel.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class CounterClearPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// CounterClearPnl: once the technician confirms that the waste ink pad is new, OK sets the
// protection counter back to zero. On the individual form the second button is "Previous" and
// "No" ends the operation; as a repair step the second button is "Complete", enabled by a
// successful clear, and "No" leaves the step open.
class CounterClearPanel final : public ConfirmingPanel {
  Q_OBJECT

 public:
  CounterClearPanel(ServiceContext& context, PanelHost& host, PanelRole role);
  ~CounterClearPanel() override;

 public slots:
  void CounterClearOKBtnClick();
  void CounterClearRtnBtnClick();

 private:
  // The clear and its status lines.
  Result Clear();

  std::unique_ptr<::Ui::CounterClearPanel> ui_;
};

}  // namespace opal::ui
