#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <map>
#include <vector>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/statustext.h"
#include "ui/panels/bidpanels.h"

namespace opal::testing {
namespace {

using ::testing::ElementsAre;

// The repair form's Bi-D step as a form hosts it: one panel at a time above a status memo.
class StepHost final : public QWidget, public ui::PanelHost {
 public:
  explicit StepHost(ui::ServiceContext& context) : PanelHost(context.command) {
    auto* layout = new QVBoxLayout(this);
    for (ui::OperationPanel* panel : ui::MakeBidPanels(context, *this, ui::PanelRole::RepairStep)) {
      panel->hide();
      layout->addWidget(panel);
      panels.push_back(panel);
    }
    layout->addWidget(&memo);
  }

  void ShowStatus(StatusMode mode, const QString& text) override {
    ui::WriteStatusText(memo, mode, text);
  }
  void ResetPanels(bool keep_text) override {
    for (ui::OperationPanel* panel : panels) {
      panel->hide();
      panel->ClearInput();
    }
    ui::ResetStatusMemo(memo, keep_text);
  }
  void ShowPanel(ui::PanelId id) override {
    for (ui::OperationPanel* panel : panels) {
      if (panel->Id() == id) panel->show();
    }
  }
  void SetStatusMemoVisible(bool visible) override { memo.setVisible(visible); }
  void SetAdjustedItem(ui::AdjustedItem item, const QString& text) override { items[item] = text; }
  void CloseWithoutInitialisation() override {}
  PrinterModel SelectedModelCode() const override { return PrinterModel::Opal320; }

  QPlainTextEdit memo;
  std::vector<ui::OperationPanel*> panels;
  std::map<ui::AdjustedItem, QString> items;
};

class BidRepairStep : public ::testing::Test {
 protected:
  BidRepairStep() : host(world.context) {
    world.Connect(1, 1);
    world.printer.SetEepromByte(0x33, 0xFC);
    host.show();
    host.ResetPanels(false);
    host.ShowPanel(ui::PanelId::BidPrint);
  }

  ui::OperationPanel& Panel(const char* name) { return Find<ui::OperationPanel>(host, name); }
  QPushButton& Button(const char* name) { return Find<QPushButton>(host, name); }
  void Click(const char* name) { QTest::mouseClick(&Button(name), Qt::LeftButton); }
  void Arrow(const char* up_down, const char* arrow) {
    QTest::mouseClick(Find<QWidget>(host, up_down).findChild<QToolButton*>(arrow), Qt::LeftButton);
  }
  QLineEdit& MsBlackEdit() { return Find<QLineEdit>(host, "MsBkBidWrtEdit"); }
  QCheckBox& MsBlackBox() { return Find<QCheckBox>(host, "BidMsBkCheckBox"); }
  std::vector<bool> CompleteButtons() {
    return {Button("BidCompleteBtn").isEnabled(), Button("BidAdjustCompleteBtn").isEnabled()};
  }

  UiWorld world;
  StepHost host;
};

TEST_F(BidRepairStep, AdjustReadsTheValuesWithoutClearingTheStatusAndPrintGoesBack) {
  host.memo.setPlainText("Bi-d pattern print is completed.");
  MsBlackBox().setChecked(true);
  Click("BidAdjustBtn");
  EXPECT_FALSE(Panel("BidPrnPnl").isVisible());
  EXPECT_TRUE(Panel("BidWrtPnl").isVisible());
  EXPECT_EQ(MsBlackEdit().text(), "-4");
  EXPECT_FALSE(MsBlackBox().isChecked());
  EXPECT_EQ(host.memo.toPlainText(), "Bi-d pattern print is completed.");

  Click("BidAdjustPrintBtn");
  EXPECT_TRUE(Panel("BidPrnPnl").isVisible());
  EXPECT_FALSE(Panel("BidWrtPnl").isVisible());
}

TEST_F(BidRepairStep, InputEnablesBothCompleteButtonsEvenWithNothingTicked) {
  EXPECT_THAT(CompleteButtons(), ElementsAre(false, false));
  Click("BidAdjustBtn");
  const std::size_t before = world.Capture().size();
  Click("BidInputBtn");
  EXPECT_EQ(world.Capture().size(), before);
  EXPECT_THAT(CompleteButtons(), ElementsAre(true, true));
}

TEST_F(BidRepairStep, InputEnablesCompleteAfterARefusedValueToo) {
  Click("BidAdjustBtn");
  MsBlackEdit().setText("71");
  MsBlackBox().setChecked(true);
  Click("BidInputBtn");
  EXPECT_EQ(host.memo.toPlainText(),
            "Limitaion of adjustment value is -70 to 70\nMS Black = \"71\"");
  EXPECT_THAT(CompleteButtons(), ElementsAre(true, true));
}

TEST_F(BidRepairStep, InputLeavesCompleteAsItWasAfterAWriteThePrinterDidNotTake) {
  Click("BidAdjustBtn");
  MsBlackEdit().setText("5");
  MsBlackBox().setChecked(true);
  world.printer.SetFaults({.stall_input = true});
  Click("BidInputBtn");
  EXPECT_EQ(host.memo.toPlainText(), "Transmission error");
  EXPECT_THAT(CompleteButtons(), ElementsAre(false, false));
}

TEST_F(BidRepairStep, EitherCompleteButtonCompletesTheStepOnceFromThePanelPressed) {
  QSignalSpy from_print(&Panel("BidPrnPnl"), &ui::OperationPanel::StepCompleted);
  QSignalSpy from_input(&Panel("BidWrtPnl"), &ui::OperationPanel::StepCompleted);
  Click("BidAdjustBtn");
  Click("BidInputBtn");
  Click("BidAdjustCompleteBtn");
  EXPECT_EQ(from_input.count(), 1);
  EXPECT_EQ(from_print.count(), 0);
  EXPECT_THAT(CompleteButtons(), ElementsAre(false, false));

  Click("BidInputBtn");
  Click("BidAdjustPrintBtn");
  Click("BidCompleteBtn");
  EXPECT_EQ(from_print.count(), 1);
  EXPECT_EQ(from_input.count(), 1);
  EXPECT_THAT(CompleteButtons(), ElementsAre(false, false));
}

TEST_F(BidRepairStep, ANewRepairDisablesCompleteAndPutsThePrintStartBackAtTheTop) {
  Find<QSlider>(host, "BidPrintTrackBar").setValue(12);
  Click("BidAdjustBtn");
  Click("BidInputBtn");
  host.ResetPanels(false);
  EXPECT_THAT(CompleteButtons(), ElementsAre(false, false));
  EXPECT_EQ(Find<QSlider>(host, "BidPrintTrackBar").value(), 0);
}

TEST_F(BidRepairStep, ArrowsStopAt34WhileATyped70IsWritten) {
  Click("BidAdjustBtn");
  MsBlackEdit().setText("33");
  Arrow("BidMsBkUpDown", "UpBtn");
  Arrow("BidMsBkUpDown", "UpBtn");
  EXPECT_EQ(MsBlackEdit().text(), "34");
  MsBlackEdit().setText("-70");
  Arrow("BidMsBkUpDown", "UpBtn");
  EXPECT_EQ(MsBlackEdit().text(), "-33");
  MsBlackEdit().setText("x");
  Arrow("BidMsBkUpDown", "DownBtn");
  EXPECT_EQ(MsBlackEdit().text(), "-34");

  MsBlackEdit().setText("70");
  Click("BidInputBtn");
  EXPECT_EQ(host.memo.toPlainText(), "As MS Black data, 70 has been written in EEPROM.");
  EXPECT_EQ(world.printer.Eeprom()[0x33], 70);
  EXPECT_EQ(host.items[ui::AdjustedItem::MsBlack], "70");
}

}  // namespace
}  // namespace opal::testing
