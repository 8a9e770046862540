#include "ui/forms/adjust.h"

#include <QSignalBlocker>
#include <QTextDocument>

#include "ui/forms/formwindow.h"
#include "ui/forms/snapshotprogress.h"
#include "ui/forms/statustext.h"
#include "ui/panels/a4checkpanel.h"
#include "ui/panels/bidpanels.h"
#include "ui/panels/chipinfoitemspanel.h"
#include "ui/panels/chipreportpanel.h"
#include "ui/panels/cleaningpanel.h"
#include "ui/panels/countercheckpanel.h"
#include "ui/panels/counterclearpanel.h"
#include "ui/panels/counterpanel.h"
#include "ui/panels/dataresetpanel.h"
#include "ui/panels/eeprompanels.h"
#include "ui/panels/headidinputpanel.h"
#include "ui/panels/headidpanel.h"
#include "ui/panels/inkchargepanel.h"
#include "ui/panels/liquidexchangepanel.h"
#include "ui/panels/usbidinputpanel.h"
#include "ui/panels/usbidpanel.h"
#include "ui/seams/inputdrop.h"
#include "ui/seams/screencursor.h"
#include "ui_adjust.h"

namespace opal::ui {
namespace {

// The first panel of each menu item, in the order of the items.
const std::vector<PanelId> kAdjustPanels{PanelId::HeadIdChoice, PanelId::BidChoice,
                                         PanelId::UsbIdChoice};
const std::vector<PanelId> kMaintenancePanels{PanelId::Cleaning, PanelId::InkCharge,
                                              PanelId::LiquidExchange, PanelId::CounterChoice};
const std::vector<PanelId> kPatternPanels{PanelId::A4Check};
const std::vector<PanelId> kAppendixPanels{PanelId::ChipInfoChoice, PanelId::EepromChoice};

// Where the status memo stands in the form's grid, and how far below the operation area's top a
// report shown in it begins: the report panel's title and button stay visible above it.
constexpr int kStatusRow = 1;
constexpr int kStatusColumn = 1;
constexpr int kReportTop = 128;

}  // namespace

// The panels of the operation area, each in the same place.
std::vector<OperationPanel*> TFormAdjust::MakePanels() {
  auto* chip_report = new ChipReportPanel(*this);
  std::vector<OperationPanel*> panels{
      new HeadIdPanel(context_, *this),
      new HeadIdInputPanel(context_, *this, PanelRole::Adjustment),
      new UsbIdPanel(context_, *this),
      new UsbIdInputPanel(context_, *this, PanelRole::Adjustment),
      new CleaningPanel(context_, *this),
      new InkChargePanel(context_, *this, PanelRole::Adjustment),
      new LiquidExchangePanel(context_, *this),
      new DataResetPanel(context_, *this),
      new CounterPanel(*this),
      new CounterCheckPanel(context_, *this),
      new CounterClearPanel(context_, *this, PanelRole::Adjustment),
      new A4CheckPanel(context_, *this),
      new ChipInfoItemsPanel(context_, *this, *chip_report),
      chip_report,
  };
  for (OperationPanel* panel : MakeEepromPanels(context_, *this)) panels.push_back(panel);
  for (OperationPanel* panel : MakeBidPanels(context_, *this, PanelRole::Adjustment)) {
    panels.push_back(panel);
  }
  return panels;
}

TFormAdjust::TFormAdjust(ServiceContext& context)
    : ProgramForm(context),
      PanelHost(context.command),
      ui_(LaidOut<::Ui::TFormAdjust>(*this)),
      area_(*ui_->OperationLayout) {
  for (OperationPanel* panel : MakePanels()) area_.Add(panel);
  KeepRoomWhenHidden(*ui_->StatusMemo);

  connect(ui_->AdjustRdoGrp, &RadioGroup::Click, this, &TFormAdjust::AdjustRdoGrpClick);
  connect(ui_->MainteRdoGrp, &RadioGroup::Click, this, &TFormAdjust::MainteRdoGrpClick);
  connect(ui_->PatternPrnItemsRdoGrp, &RadioGroup::Click, this,
          &TFormAdjust::PatternPrnItemsRdoGrpClick);
  connect(ui_->AppendixRdoGrp, &RadioGroup::Click, this, &TFormAdjust::AppendixRdoGrpClick);
  connect(ui_->AdjustmentTab, &QTabWidget::currentChanged, this, &TFormAdjust::AdjustmentTabChange);
  connect(ui_->IndivisualAdjustQuitBtn, &QPushButton::clicked, this,
          &TFormAdjust::IndivisualAdjustQuitBtnClick);

  DisableTimer.setObjectName(QStringLiteral("DisableTimer"));
  DisableTimer.setParent(this);
  DisableTimer.setInterval(1000);
  connect(&DisableTimer, &QTimer::timeout, this, &TFormAdjust::DisableTimerTimer);
  DisableTimer.start();

  TabLast(*this, *ui_->IndivisualAdjustQuitBtn);
  SetUpFormWindow(*this, BorderIcons::SystemMenuAndMinimise);
}

TFormAdjust::~TFormAdjust() = default;

void TFormAdjust::SetModel(PrinterModel model) {
  model_ = model;
  ui_->IndividualModelNameLbl->setText(QString::fromStdString(ModelName(model)));
}

void TFormAdjust::ShowPrinterModel(PrinterModel model) {
  ShowStatus(StatusMode::Plain,
             tr("Current Printer ID is %1.").arg(QString::fromStdString(ModelName(model))));
}

void TFormAdjust::ShowStatus(StatusMode mode, const QString& text) {
  switch (mode) {
    case StatusMode::Done:
      ShowNormalCursor();
      busy_ = false;
      DisableTimer.start();
      break;
    case StatusMode::Busy:
      ShowHourglass();
      busy_ = true;
      busy_focus_.Disable(*this);
      break;
    case StatusMode::Error:
      ShowNormalCursor();
      busy_ = false;
      break;
    default:
      break;
  }
  WriteStatusText(*ui_->StatusMemo, mode, text);
  if (mode == StatusMode::Error) busy_focus_.Enable(*this);
  // The operation has ended: nothing clicked or typed while it ran may run now.
  if (mode == StatusMode::Done || mode == StatusMode::Error) ProcessEventsDroppingInput();
}

void TFormAdjust::DisableTimerTimer() {
  // Timers also run during the waits of an operation; the form stays disabled until it ends.
  if (busy_) return;
  busy_focus_.Enable(*this);
  DisableTimer.stop();
}

void TFormAdjust::ResetPanels(bool keep_text) {
  ui_->CanvasPnl->hide();
  area_.Reset();
  PutStatusMemoInPlace();
  SetStatusMemoVisible(true);
  ResetStatusMemo(*ui_->StatusMemo, keep_text);
}

void TFormAdjust::ShowPanel(PanelId panel) {
  if (panel == PanelId::Canvas) {
    ui_->CanvasPnl->show();
  } else {
    area_.Show(panel);
  }
}

void TFormAdjust::SetStatusMemoVisible(bool visible) {
  ui_->StatusMemo->setVisible(visible);
  // Without the memo the operation area reaches down over its room, which the EEPROM grid needs;
  // the hidden memo keeps its row's height, so nothing else on the form moves.
  const int rows = visible ? 1 : 2;
  QGridLayout& layout = *ui_->FormAdjustLayout;
  int row = 0, column = 0, row_span = 0, column_span = 0;
  layout.getItemPosition(layout.indexOf(ui_->OperationArea), &row, &column, &row_span,
                         &column_span);
  if (row_span == rows) return;
  layout.removeWidget(ui_->OperationArea);
  layout.addWidget(ui_->OperationArea, 0, kStatusColumn, rows, 1);
  layout.activate();
}

void TFormAdjust::MoveStatusMemoForReport() {
  QPlainTextEdit& memo = *ui_->StatusMemo;
  const int top = ui_->OperationArea->y() + kReportTop;
  const int bottom = memo.geometry().bottom();
  // The memo's row keeps its height, so nothing else on the form moves.
  ui_->FormAdjustLayout->setRowMinimumHeight(kStatusRow, memo.height());
  ui_->FormAdjustLayout->removeWidget(&memo);
  ui_->FormAdjustLayout->addWidget(&memo, 0, kStatusColumn, 2, 1, Qt::AlignBottom);
  memo.setFixedHeight(bottom - top + 1);
  memo.raise();
  memo.document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
}

void TFormAdjust::PutStatusMemoInPlace() {
  const int normal_height = ui_->FormAdjustLayout->rowMinimumHeight(kStatusRow);
  if (normal_height == 0) return;
  QPlainTextEdit& memo = *ui_->StatusMemo;
  ui_->FormAdjustLayout->removeWidget(&memo);
  ui_->FormAdjustLayout->addWidget(&memo, kStatusRow, kStatusColumn);
  memo.setFixedHeight(normal_height);
  ui_->FormAdjustLayout->setRowMinimumHeight(kStatusRow, 0);
  memo.document()->setDefaultTextOption(QTextOption(Qt::AlignLeft));
}

void TFormAdjust::SetAdjustedItem(AdjustedItem item, const QString& text) {
  ui_->Panel8->Set(item, text);
}

void TFormAdjust::CloseWithoutInitialisation() {
  NoInitOnClose = true;
  close();
}

PrinterModel TFormAdjust::SelectedModelCode() const {
  return model_;
}

void TFormAdjust::OpenMenuItem(RadioGroup& chosen, const std::vector<PanelId>& panels) {
  ResetPanels(false);
  const int item = chosen.ItemIndex();
  if (item >= 0 && item < static_cast<int>(panels.size())) ShowPanel(panels[item]);
  for (RadioGroup* group : Menus()) {
    if (group != &chosen) group->SetItemIndex(-1);
  }
}

void TFormAdjust::AdjustRdoGrpClick() {
  OpenMenuItem(*ui_->AdjustRdoGrp, kAdjustPanels);
}

void TFormAdjust::MainteRdoGrpClick() {
  OpenMenuItem(*ui_->MainteRdoGrp, kMaintenancePanels);
}

void TFormAdjust::PatternPrnItemsRdoGrpClick() {
  OpenMenuItem(*ui_->PatternPrnItemsRdoGrp, kPatternPanels);
}

void TFormAdjust::AppendixRdoGrpClick() {
  OpenMenuItem(*ui_->AppendixRdoGrp, kAppendixPanels);
}

std::array<RadioGroup*, 4> TFormAdjust::Menus() const {
  return {ui_->AdjustRdoGrp, ui_->MainteRdoGrp, ui_->PatternPrnItemsRdoGrp, ui_->AppendixRdoGrp};
}

void TFormAdjust::ClearMenus() {
  for (RadioGroup* group : Menus()) group->SetItemIndex(-1);
}

void TFormAdjust::AdjustmentTabChange() {
  ResetPanels(false);
  ui_->CanvasPnl->show();
  ClearMenus();
}

void TFormAdjust::IndivisualAdjustQuitBtnClick() {
  close();
}

void TFormAdjust::showEvent(QShowEvent* event) {
  ShowSnapshotProgressIn(context_, *this);
  ProgramForm::showEvent(event);
}

void TFormAdjust::FormClose() {
  DisableTimer.stop();
  ResetPanels(false);
  ui_->Panel8->Clear();
  if (!NoInitOnClose) {
    InitializePrinterOnLeaving(
        true, [this](Result failed) { ShowResultCode(StatusMode::Error, failed); });
  }
  NoInitOnClose = false;
  context_.port.Close();
  ShowNormalCursor();
  ui_->CanvasPnl->show();
  ClearMenus();
  area_.RestoreFirstChoice();
  {
    const QSignalBlocker programmatic(ui_->AdjustmentTab);
    ui_->AdjustmentTab->setCurrentWidget(ui_->TabSheet1);
  }
  emit Left();
}

}  // namespace opal::ui
