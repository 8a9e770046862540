#include "ui/forms/sequence.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "ui/forms/formwindow.h"
#include "ui/forms/panelfocus.h"
#include "ui/forms/repairchainpanel.h"
#include "ui/forms/snapshotprogress.h"
#include "ui/forms/statustext.h"
#include "ui/panels/bidpanels.h"
#include "ui/panels/completedpanel.h"
#include "ui/panels/counterclearpanel.h"
#include "ui/panels/headidinputpanel.h"
#include "ui/panels/inkchargepanel.h"
#include "ui/panels/nozzlecheckpanel.h"
#include "ui/panels/usbidinputpanel.h"
#include "ui/seams/inputdrop.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"
#include "ui_sequence.h"

namespace opal::ui {
namespace {

constexpr const char* kReturnQuestion =
    QT_TRANSLATE_NOOP("opal::ui::TFormSequentialRepair", "Are you sure to return to first menu?");
constexpr const char* kAfterUsbIdNote =
    QT_TRANSLATE_NOOP("opal::ui::TFormSequentialRepair",
                      "After then, replace both brand-new I/C\nand ink waste pad properly.");

// The completion handler of each kind of step.
const std::vector<std::pair<StepKind, void (TFormSequentialRepair::*)()>> kCompletions{
    {StepKind::HeadId, &TFormSequentialRepair::HdVolWrtCompleteBtnClick},
    {StepKind::InkCharge, &TFormSequentialRepair::InkChargeCompleteBtnClick},
    {StepKind::NozzleCheck, &TFormSequentialRepair::NozzleCheckCompleteBtnClick},
    {StepKind::Bid, &TFormSequentialRepair::BidCompleteBtnClick},
    {StepKind::UsbId, &TFormSequentialRepair::UsbIdInputCompleteBtnClick},
    {StepKind::CounterClear, &TFormSequentialRepair::CounterClearCompleteBtnClick},
};

}  // namespace

// The operation panels of the centre area, each in the same place. The shared step panels take
// the repair role, in which their Complete button ends the step.
std::vector<OperationPanel*> TFormSequentialRepair::MakeStepPanels(
    StatusReport nozzle_check_lines) {
  std::vector<OperationPanel*> panels{
      new HeadIdInputPanel(context_, *this, PanelRole::RepairStep),
      new InkChargePanel(context_, *this, PanelRole::RepairStep),
      new NozzleCheckPanel(context_, *this, std::move(nozzle_check_lines)),
      new UsbIdInputPanel(context_, *this, PanelRole::RepairStep),
      new CounterClearPanel(context_, *this, PanelRole::RepairStep),
      new CompletedPanel(),
  };
  for (OperationPanel* panel : MakeBidPanels(context_, *this, PanelRole::RepairStep)) {
    panels.push_back(panel);
  }
  return panels;
}

TFormSequentialRepair::TFormSequentialRepair(ServiceContext& context,
                                             StatusReport nozzle_check_lines)
    : PanelHost(context.command),
      ui_(LaidOut<::Ui::TFormSequentialRepair>(*this)),
      context_(context),
      area_(*ui_->OperationLayout) {
  const std::vector<Repair>& repairs = Repairs();
  for (int index = 0; index < static_cast<int>(repairs.size()); ++index) {
    auto* chain = new RepairChainPanel(index + 1, repairs[static_cast<size_t>(index)]);
    chain->hide();
    ui_->ChainLayout->addWidget(chain, 0, 0);
    connect(chain, &RepairChainPanel::StepClicked, this,
            [this, index](int step) { StepPnlClick(index, step); });
    chains_.push_back(chain);
  }
  for (OperationPanel* panel : MakeStepPanels(std::move(nozzle_check_lines))) area_.Add(panel);
  for (const auto& [kind, handler] : kCompletions) {
    for (PanelId panel : OperationOf(kind).panels) {
      connect(&area_.Find(panel), &OperationPanel::StepCompleted, this, handler);
    }
  }
  connect(ui_->SeqRepairReturnToRepairMenuBtn, &QPushButton::clicked, this,
          &TFormSequentialRepair::SeqRepairReturnToRepairMenuBtnClick);
  ui_->StatusMemo->clear();
  TabLast(*this, *ui_->SeqRepairReturnToRepairMenuBtn);
  SetUpFormWindow(*this, BorderIcons::SystemMenuAndMinimise);
}

TFormSequentialRepair::~TFormSequentialRepair() = default;

void TFormSequentialRepair::SetModel(PrinterModel model) {
  model_ = model;
  ui_->SequentialModelNameLbl->setText(QString::fromStdString(ModelName(model)));
}

void TFormSequentialRepair::StartRepair(int repair) {
  repair_type_ = static_cast<int16_t>(kFirstRepairType + repair - 1);
  step_state_ = STEP_NONE;
  ResetRepairForm();
  ShowRepairChain(repair, true, false);
  chains_.at(static_cast<size_t>(repair - 1))->show();
  OpenStep(repair - 1, 0);
}

void TFormSequentialRepair::ResetRepairForm() {
  for (RepairChainPanel* chain : chains_) chain->hide();
  ResetPanels(false);
}

void TFormSequentialRepair::ShowRepairChain(int repair, bool steps_visible, bool done_visible) {
  chains_.at(static_cast<size_t>(repair - 1))->ShowSteps(steps_visible, done_visible);
}

void TFormSequentialRepair::ForgetRepairs() {
  ResetRepairForm();
  ui_->Panel8->Clear();
}

void TFormSequentialRepair::OpenStep(int repair, int step) {
  const StepOperation& operation =
      OperationOf(Repairs()[static_cast<size_t>(repair)].steps[static_cast<size_t>(step)].kind);
  chains_[static_cast<size_t>(repair)]->MarkOpen(step);
  ShowPanel(operation.panel);
  // The keyboard goes on inside the step: to its input, else to the button that starts it.
  if (operation.focus != nullptr) {
    if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(operation.focus))) edit->setFocus();
    return;
  }
  for (QPushButton* button : area_.Find(operation.panel).findChildren<QPushButton*>()) {
    if (button->isDefault() && button->isVisible()) return button->setFocus(Qt::OtherFocusReason);
  }
}

// A step opens only right after the step before it: the chain's order is the repair's.
void TFormSequentialRepair::StepPnlClick(int repair, int step) {
  // The first step opens by itself when the repair starts.
  if (step == 0) return;
  const RepairStep& previous =
      Repairs()[static_cast<size_t>(repair)].steps[static_cast<size_t>(step - 1)];
  if (OperationOf(previous.kind).done_code != step_state_) return;
  OpenStep(repair, step);
}

void TFormSequentialRepair::CompleteStep(StepKind kind) {
  const StepOperation& operation = OperationOf(kind);
  for (PanelId panel : operation.panels) area_.Find(panel).hide();
  if (kind == StepKind::UsbId) context_.dialogs.Inform(tr(kAfterUsbIdNote));

  const int repair = repair_type_ - kFirstRepairType;
  if (repair >= 0 && repair < static_cast<int>(chains_.size())) {
    const std::vector<RepairStep>& steps = Repairs()[static_cast<size_t>(repair)].steps;
    const auto done = std::find_if(steps.begin(), steps.end(),
                                   [kind](const RepairStep& step) { return step.kind == kind; });
    if (done != steps.end()) {
      RepairChainPanel& chain = *chains_[static_cast<size_t>(repair)];
      const int index = static_cast<int>(done - steps.begin());
      chain.MarkDone(index);
      if (done + 1 == steps.end()) {
        step_state_ = STEP_CHAIN_DONE;
        ShowPanel(PanelId::Completed);
        ui_->SeqRepairReturnToRepairMenuBtn->setFocus(Qt::OtherFocusReason);
      } else {
        if (operation.done_code) step_state_ = *operation.done_code;
        chain.MarkNext(index + 1);
      }
    }
  }
  ResetStatusMemo(*ui_->StatusMemo, false);
}

void TFormSequentialRepair::HdVolWrtCompleteBtnClick() {
  CompleteStep(StepKind::HeadId);
}

void TFormSequentialRepair::InkChargeCompleteBtnClick() {
  CompleteStep(StepKind::InkCharge);
}

void TFormSequentialRepair::NozzleCheckCompleteBtnClick() {
  CompleteStep(StepKind::NozzleCheck);
}

void TFormSequentialRepair::BidCompleteBtnClick() {
  CompleteStep(StepKind::Bid);
}

void TFormSequentialRepair::UsbIdInputCompleteBtnClick() {
  CompleteStep(StepKind::UsbId);
}

void TFormSequentialRepair::CounterClearCompleteBtnClick() {
  CompleteStep(StepKind::CounterClear);
}

void TFormSequentialRepair::ShowRepairStatus(StatusMode mode, const QString& text) {
  switch (mode) {
    case StatusMode::Done:
      OffTheWindow([&] { context_.operations.AwaitPrinterAnswer(); });
      ShowNormalCursor();
      busy_focus_.Enable(*this);
      break;
    case StatusMode::Busy:
      ShowHourglass();
      break;
    case StatusMode::Error:
      ShowNormalCursor();
      break;
    default:
      break;
  }
  WriteStatusText(*ui_->StatusMemo, mode, text);
  if (mode == StatusMode::Busy) {
    // Painted while still enabled, so the busy text is not shown greyed.
    repaint();
    busy_focus_.Disable(*this);
  }
  // An error after a busy status must never leave the form disabled.
  if (mode == StatusMode::Error) busy_focus_.Enable(*this);
  // The operation has ended: nothing clicked or typed while it ran may run now.
  if (mode == StatusMode::Done || mode == StatusMode::Error) ProcessEventsDroppingInput();
}

void TFormSequentialRepair::ShowRepairResultCode(StatusMode mode, Result code) {
  ShowResultCode(mode, code);
}

void TFormSequentialRepair::ShowStatus(StatusMode mode, const QString& text) {
  ShowRepairStatus(mode, text);
}

void TFormSequentialRepair::ResetPanels(bool keep_text) {
  area_.Reset();
  ResetStatusMemo(*ui_->StatusMemo, keep_text);
}

// The repair form has no empty canvas: a step that stays open after a "No" keeps its panel.
void TFormSequentialRepair::ShowPanel(PanelId panel) {
  if (panel == PanelId::Canvas) return;
  area_.Show(panel);
  KeepFocusIn(area_.Find(panel));
}

void TFormSequentialRepair::SetStatusMemoVisible(bool visible) {
  ui_->StatusMemo->setVisible(visible);
}

void TFormSequentialRepair::SetAdjustedItem(AdjustedItem item, const QString& text) {
  ui_->Panel8->Set(item, text);
}

// No repair step leaves the program on its own; only the menu's close sequence does.
void TFormSequentialRepair::CloseWithoutInitialisation() {}

PrinterModel TFormSequentialRepair::SelectedModelCode() const {
  return model_;
}

bool TFormSequentialRepair::MayLeaveRepair() {
  return step_state_ == STEP_CHAIN_DONE || context_.dialogs.Confirm(tr(kReturnQuestion));
}

void TFormSequentialRepair::SeqRepairReturnToRepairMenuBtnClick() {
  if (MayLeaveRepair()) FormClose();
}

void TFormSequentialRepair::FormClose() {
  hide();
  emit Closed();
}

void TFormSequentialRepair::showEvent(QShowEvent* event) {
  ShowSnapshotProgressIn(context_, *this);
  QWidget::showEvent(event);
}

void TFormSequentialRepair::closeEvent(QCloseEvent* event) {
  // A busy form ignores its close box: the menu must not open while a step's operation runs. The
  // close box is one more way to "Top Menu" and asks the same question before a repair is left.
  if (event->spontaneous() && (!isEnabled() || !MayLeaveRepair())) {
    event->ignore();
    return;
  }
  event->accept();
  FormClose();
}

}  // namespace opal::ui
