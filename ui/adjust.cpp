#include "ui/adjust.h"

#include <QSignalBlocker>

#include "ui/boot.h"
#include "ui/formwindow.h"
#include "ui/placeholderpanel.h"
#include "ui/quit.h"
#include "ui/screencursor.h"
#include "ui/statustext.h"
#include "ui_adjust.h"

namespace opal::ui {
namespace {

// The first panel of each menu item, in the order of the items.
const std::vector<QString> kAdjustPanels{"HdVolPnl", "BidPnl", "UsbIdPnl"};
const std::vector<QString> kMaintenancePanels{"CleaningPnl", "ChargePnl", "ExchangePnl1",
                                              "CounterPnl"};
const std::vector<QString> kPatternPanels{"A4CheckPrnPnl"};
const std::vector<QString> kAppendixPanels{"ZLICInfoItemsPnl", "EepromCheckPnl"};

}  // namespace

// The panels of the operation area, each in the same place. A unit that builds a panel replaces
// its placeholder line with its own class.
std::vector<OperationPanel*> TFormAdjust::MakePanels() {
  return {
      new PlaceholderPanel("HdVolPnl", "Head ID adjustment items "),
      new PlaceholderPanel("HdVolWrtPnl", "Input Head ID "),
      new PlaceholderPanel("BidPnl", "Bi-Directional adjustment items "),
      new PlaceholderPanel("BidPrintPnl", "Print the Bi-D adjustment pattern "),
      new PlaceholderPanel("BidInputPnl", "Input Bi-D adjustment value "),
      new PlaceholderPanel("UsbIdPnl", "USB ID adjustment items "),
      new PlaceholderPanel("UsbIdInputPnl", "Input USB ID"),
      new PlaceholderPanel("CleaningPnl", "Head cleaning "),
      new PlaceholderPanel("ChargePnl", "Initial ink charge "),
      new PlaceholderPanel("ExchangePnl1", "Transportation Liquid Exchange"),
      new PlaceholderPanel("ExchangePnl2", "Transportation Liquid Exchange"),
      new PlaceholderPanel("CounterPnl", "Protection counter maintenance "),
      new PlaceholderPanel("CounterCheckPnl", "Check the protection counter "),
      new PlaceholderPanel("CounterClearPnl", "Clear the protection counter "),
      new PlaceholderPanel("A4CheckPrnPnl", "Print A4 pattern "),
      new PlaceholderPanel("ZLICInfoItemsPnl", "ZLIC information "),
      new PlaceholderPanel("ZLICInfoPnl", "ZLIC information "),
      new PlaceholderPanel("EepromCheckPnl", "EEPROM data "),
      new PlaceholderPanel("EepromReadPnl", "Check the EEPROM data"),
      new PlaceholderPanel("EepromGridPnl", "Check the EEPROM data "),
      new PlaceholderPanel("EepromWritePnl", "Change the EEPROM data"),
  };
}

TFormAdjust::TFormAdjust(ServiceContext& context, Forms& forms)
    : ProgramForm(context), ui_(std::make_unique<::Ui::TFormAdjust>()), forms_(forms) {
  ui_->setupUi(this);
  for (OperationPanel* panel : MakePanels()) AddPanel(panel);

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

  SetUpFormWindow(*this, BorderIcons::SystemMenuAndMinimise);
}

TFormAdjust::~TFormAdjust() = default;

void TFormAdjust::AddPanel(OperationPanel* panel) {
  // Hidden panels keep their room, so the form has the size of its largest panel.
  QSizePolicy policy = panel->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  panel->setSizePolicy(policy);
  panel->hide();
  ui_->OperationLayout->addWidget(panel, 0, 0);
  panels_.push_back(panel);
}

void TFormAdjust::SetModelName(const QString& name) {
  ui_->IndividualModelNameLbl->setText(name);
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
      setEnabled(false);
      break;
    case StatusMode::Error:
      ShowNormalCursor();
      busy_ = false;
      break;
    default:
      break;
  }
  WriteStatusText(*ui_->StatusMemo, mode, text);
  if (mode == StatusMode::Error) setEnabled(true);
  // The text must be on screen before the next long operation starts.
  repaint();
}

void TFormAdjust::DisableTimerTimer() {
  // Timers also run during the waits of an operation; the form stays disabled until it ends.
  if (busy_) return;
  setEnabled(true);
  DisableTimer.stop();
}

void TFormAdjust::ResetPanels(bool keep_text) {
  ui_->CanvasPnl->hide();
  for (OperationPanel* panel : panels_) {
    panel->hide();
    panel->ClearInput();
  }
  ResetStatusMemo(*ui_->StatusMemo, keep_text);
}

void TFormAdjust::ShowPanel(const QString& name) {
  for (OperationPanel* panel : panels_) {
    if (panel->objectName() == name) panel->show();
  }
}

void TFormAdjust::SetStatusMemoVisible(bool visible) {
  ui_->StatusMemo->setVisible(visible);
}

void TFormAdjust::SetAdjustedItem(AdjustedItem item, const QString& text) {
  ui_->Panel8->Set(item, text);
}

void TFormAdjust::CloseWithoutInitialisation() {
  NoInitOnClose = true;
  close();
}

int16_t TFormAdjust::SelectedModelCode() const {
  return forms_.FormBoot->SelectedModelCode();
}

void TFormAdjust::OpenMenuItem(RadioGroup& chosen, const std::vector<QString>& panels) {
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
  for (OperationPanel* panel : panels_) panel->RestoreFirstChoice();
  {
    const QSignalBlocker programmatic(ui_->AdjustmentTab);
    ui_->AdjustmentTab->setCurrentWidget(ui_->TabSheet1);
  }
  forms_.FormQuit->show();
}

}  // namespace opal::ui
