#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/panels/stepcompletebutton.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class UsbIdInputPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// UsbIdInputPnl: the technician types the printer's serial number and OK writes it with a stamp
// of the local date and time. On the individual form the second button is "Previous"; as a repair
// step it is "Complete", enabled by a successful write.
class UsbIdInputPanel final : public OperationPanel {
  Q_OBJECT

 public:
  UsbIdInputPanel(ServiceContext& context, PanelHost& host, PanelRole role);
  ~UsbIdInputPanel() override;

  void ClearInput() override;

 public slots:
  void UsbIdInputOKBtnClick();
  void UsbIdInputRtnBtnClick();

 protected:
  // The serial number is typed as soon as the panel opens, from either form.
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<::Ui::UsbIdInputPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
  StepCompleteButton complete_;
};

}  // namespace opal::ui
