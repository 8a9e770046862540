#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QWidget>

#include "ui/forms/busyfocus.h"

#include "ui/forms/repairchains.h"
#include "ui/panels/operationarea.h"
#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class TFormSequentialRepair;
}
QT_END_NAMESPACE

namespace opal::ui {

class RepairChainPanel;

// The repair form of the Sequential Repair Service Program: the chain of the chosen repair on the
// left, the panel of the open step in the centre with the status area below it, and the
// "Adjusted Item" column, which keeps its values over all repairs until the menu closes.
class TFormSequentialRepair : public QWidget, public PanelHost {
  Q_OBJECT

 public:
  // The nozzle check reports its own lines through `nozzle_check_lines`.
  TFormSequentialRepair(ServiceContext& context, StatusReport nozzle_check_lines);
  ~TFormSequentialRepair() override;

  void SetModel(PrinterModel model);

  // Repair 1 to 7 from its first step, every earlier step and input forgotten.
  void StartRepair(int repair);
  void ResetRepairForm();
  void ShowRepairChain(int repair, bool steps_visible, bool done_visible);
  // The menu closes: no repair stays open and the "Adjusted Item" column is emptied.
  void ForgetRepairs();

  void ShowRepairStatus(StatusMode mode, const QString& text);
  void ShowRepairResultCode(StatusMode mode, Result code);
  uint8_t StepState() const { return step_state_; }

  void ShowStatus(StatusMode mode, const QString& text) override;
  void ResetPanels(bool keep_text) override;
  void ShowPanel(PanelId panel) override;
  void SetStatusMemoVisible(bool visible) override;
  void SetAdjustedItem(AdjustedItem item, const QString& text) override;
  void CloseWithoutInitialisation() override;
  PrinterModel SelectedModelCode() const override;

  // 800 to 806: the repair last chosen in the menu, which decides what a completed step marks.
  int16_t RepairType() const { return repair_type_; }

 signals:
  // The form was closed; the repair menu comes next.
  void Closed();

 public slots:
  void HdVolWrtCompleteBtnClick();
  void InkChargeCompleteBtnClick();
  void NozzleCheckCompleteBtnClick();
  void BidCompleteBtnClick();
  void UsbIdInputCompleteBtnClick();
  void CounterClearCompleteBtnClick();
  void SeqRepairReturnToRepairMenuBtnClick();
  void FormClose();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  BusyFocus busy_focus_;
  std::vector<OperationPanel*> MakeStepPanels(StatusReport nozzle_check_lines);
  void OpenStep(int repair, int step);
  // True when the chain is done or the technician confirms leaving the repair unfinished.
  bool MayLeaveRepair();
  void StepPnlClick(int repair, int step);
  void CompleteStep(StepKind kind);

  std::unique_ptr<::Ui::TFormSequentialRepair> ui_;
  ServiceContext& context_;
  PrinterModel model_ = PrinterModel::None;
  int16_t repair_type_ = 0;
  OperationArea area_;
  std::vector<RepairChainPanel*> chains_;
  uint8_t step_state_ = STEP_NONE;
};

}  // namespace opal::ui
