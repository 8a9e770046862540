#pragma once

#include <memory>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/panels/stepcompletebutton.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class HeadIdInputPanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// HdVolWrtPnl: the technician types the 13-character head ID, with the photograph showing where
// the label sits, and OK writes it into the EEPROM. On the individual form the second button is
// "Previous"; as a repair step it is "Complete", enabled by a successful write.
class HeadIdInputPanel final : public OperationPanel {
  Q_OBJECT

 public:
  HeadIdInputPanel(ServiceContext& context, PanelHost& host, PanelRole role);
  ~HeadIdInputPanel() override;

  void ClearInput() override;

 public slots:
  void HdVolWrtOKBtnClick();
  void HdVolWrtRtnBtnClick();

 protected:
  // The ID is typed as soon as the panel opens, from either form.
  void showEvent(QShowEvent* event) override;

 private:
  void ShowPhotograph();

  std::unique_ptr<::Ui::HeadIdInputPanel> ui_;
  ServiceContext& context_;
  PanelHost& host_;
  StepCompleteButton complete_;
};

}  // namespace opal::ui
