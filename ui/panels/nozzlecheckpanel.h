#pragma once

#include <memory>

#include "device/statusreport.h"
#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/panels/stepcompletebutton.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class NozzleCheckPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// The nozzle-check step of a repair: prints the printer's own nozzle check; every later pass
// runs a powerful cleaning first, until the technician finds no dot missing and completes.
class NozzleCheckPanel final : public OperationPanel {
  Q_OBJECT

 public:
  // `print_status` receives the nozzle-check print's own status lines.
  NozzleCheckPanel(ServiceContext& context, PanelHost& host, StatusReport print_status);
  ~NozzleCheckPanel() override;

  void ClearInput() override;

 public slots:
  void NozzleCheckOKBtnClick();

 private:
  // The paper moved down to the track bar's position, then the check printed.
  Result PrintNozzleCheck();

  std::unique_ptr<::Ui::NozzleCheckPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
  StatusReport print_status_;
  StepCompleteButton complete_;
};

}  // namespace opal::ui
