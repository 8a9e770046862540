#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/repairchainpanel.h"
#include "ui/forms/sequence.h"
#include "ui/seams/screencursor.h"
#include "ui/widgets/clickablepanel.h"

namespace opal::testing {
namespace {

using std::chrono::milliseconds;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using Bytes = std::vector<uint8_t>;

constexpr const char* kOperationPanels[] = {"HdVolWrtPnl",     "InkChargePnl", "NozzleCheckPnl",
                                            "BidPrnPnl",       "BidWrtPnl",    "UsbIdInputPnl",
                                            "CounterClearPnl", "CompletedPnl"};
constexpr const char* kCompleteButtons[] = {
    "HdVolWrtCompleteBtn",  "InkChargeCompleteBtn",  "NozzleCheckCompleteBtn", "BidCompleteBtn",
    "BidAdjustCompleteBtn", "UsbIdInputCompleteBtn", "CounterClearCompleteBtn"};

const QString kRetryNote =
    "If there are any dot missing, please retry this routine.\nIn the case of no-missing, click "
    "the Complete button.";
const QString kAfterUsbIdNote =
    "After then, replace both brand-new I/C\nand ink waste pad properly.";
const QString kReturnQuestion = "Are you sure to return to first menu?";
const QString kHeadId = "AZBCDEFJKLMNW";
const QString kUsbId = "AB12345678";
const Bytes kCaption{'A', 'l', 'l', ' ', 'N', 'o', 'z', 'z', 'l', 'e'};
const Bytes kPowerfulCleaningFrame{0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06,
                                   0x31, 0x84, 0x7B, 0x42, 0x0A};
const Bytes kReadAddressZeroFrame{0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x41, 0xBE, 0xA0, 0x00};
const Bytes kPrinterReset{0x1B, 0x40};

enum class Step { HeadId, InkCharge, NozzleCheck, Bid, UsbId, CounterClear };
// By Step; the Bi-D step is completed from its input panel, where its value was written.
constexpr const char* kCompleteButtonOf[] = {"HdVolWrtCompleteBtn",    "InkChargeCompleteBtn",
                                             "NozzleCheckCompleteBtn", "BidAdjustCompleteBtn",
                                             "UsbIdInputCompleteBtn",  "CounterClearCompleteBtn"};

// A step of a chain as the technician meets it: the step panel on the left and its done label.
struct ChainStep {
  Step kind;
  const char* panel;
  const char* done;
};

struct Chain {
  int item;
  std::vector<ChainStep> steps;
};

std::ostream& operator<<(std::ostream& out, const Chain& chain) {
  return out << "repair " << chain.item;
}

const Chain kChains[] = {
    {1,
     {{Step::NozzleCheck, "Repair1NozzleCheckPnl", "Repair1FirstDoneLbl"},
      {Step::Bid, "Repair1BidPnl", "Repair1SecondDoneLbl"}}},
    {2,
     {{Step::HeadId, "Repair2HeadIDPnl", "Repair2FirstDoneLbl"},
      {Step::InkCharge, "Repair2InkChargePnl", "Repair2SecondDoneLbl"},
      {Step::NozzleCheck, "Repair2NozzleCheckPnl", "Repair2ThirdDoneLbl"},
      {Step::Bid, "Repair2BidPnl", "Repair2FourthDoneLbl"}}},
    {3,
     {{Step::HeadId, "Repair3HeadIDPnl", "Repair3FirstDoneLbl"},
      {Step::Bid, "Repair3BidPnl", "Repair3SecondDoneLbl"},
      {Step::UsbId, "Repair3UsbInputPnl", "Repair3ThirdDoneLbl"}}},
    {4, {{Step::Bid, "Repair4BidPnl", "Repair4FirstDoneLbl"}}},
    {5, {{Step::Bid, "Repair5BidPnl", "Repair5FirstDoneLbl"}}},
    {6,
     {{Step::HeadId, "Repair6HeadIDPnl", "Repair6FirstDoneLbl"},
      {Step::InkCharge, "Repair6InkChargePnl", "Repair6SecondDoneLbl"},
      {Step::NozzleCheck, "Repair6NozzleCheckPnl", "Repair6ThirdDoneLbl"},
      {Step::Bid, "Repair6BidPnl", "Repair6FourthDoneLbl"}}},
    {7, {{Step::CounterClear, "Repair7ProtectCounterPnl", "Repair7FirstDoneLbl"}}},
};

bool Includes(const Bytes& bytes, const Bytes& part) {
  return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

// The repair menu of a connected 320 and the repair form it leads to.
class RepairForm : public ::testing::Test {
 protected:
  RepairForm() {
    std::tm local{};
    local.tm_year = 2009 - 1900;
    local.tm_mon = 5;
    local.tm_mday = 17;
    world.clock.SetLocalTime(local);
    world.Connect(1, 1);
  }

  ui::TFormSequentialRepair& Form() { return *world.forms.FormSequentialRepair; }
  QWidget& Menu() { return *world.forms.FormBootSequential; }

  void Choose(int item) {
    const std::string name = "SeqRepairPnl" + std::to_string(item);
    QTest::mouseClick(&Find<ui::ClickablePanel>(Menu(), name.c_str()), Qt::LeftButton);
  }
  void ClickStep(const char* name) {
    QTest::mouseClick(&Find<ui::ClickablePanel>(Form(), name), Qt::LeftButton);
  }
  void Press(const char* name) {
    QTest::mouseClick(&Find<QPushButton>(Form(), name), Qt::LeftButton);
  }
  bool Shown(const char* name) { return Find<QWidget>(Form(), name).isVisibleTo(&Form()); }
  bool Enabled(const char* name) { return Find<QPushButton>(Form(), name).isEnabled(); }
  QColor Colour(const char* step) {
    return Find<ui::ClickablePanel>(Form(), step).palette().color(QPalette::Window);
  }
  QPlainTextEdit& Memo() { return Find<QPlainTextEdit>(Form(), "StatusMemo"); }
  QString Field(const char* name) { return Find<QLabel>(Form(), name).text(); }

  std::vector<std::string> VisibleOperationPanels() {
    std::vector<std::string> visible;
    for (const char* name : kOperationPanels) {
      if (Shown(name)) visible.push_back(name);
    }
    return visible;
  }

  // What the window system sends for the close box (notify keeps the spontaneous mark).
  bool CloseBoxClicked() {
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QApplication::instance()->notify(&Form(), &close);
    return close.isAccepted();
  }

  // Runs the open step's operation to its success.
  void Succeed(Step kind) {
    switch (kind) {
      case Step::HeadId:
        Find<QLineEdit>(Form(), "HdVolWrtEdit").setText(kHeadId);
        Press("HdVolWrtOKBtn");
        break;
      case Step::InkCharge:
        world.dialogs.answers.push_back(true);
        Press("ChargeOKBtn");
        break;
      case Step::NozzleCheck:
        Press("NozzleCheckOKBtn");
        break;
      case Step::Bid:
        Press("BidAdjustBtn");
        Find<QCheckBox>(Form(), "BidMsBkCheckBox").setChecked(true);
        Find<QLineEdit>(Form(), "MsBkBidWrtEdit").setText("5");
        Press("BidInputBtn");
        break;
      case Step::UsbId:
        Find<QLineEdit>(Form(), "UsbIdInputEdit").setText(kUsbId);
        Press("UsbIdInputOKBtn");
        break;
      case Step::CounterClear:
        world.dialogs.answers.push_back(true);
        Press("CounterClearOKBtn");
        break;
    }
  }

  void RunStep(Step kind) {
    Succeed(kind);
    Press(kCompleteButtonOf[static_cast<int>(kind)]);
  }

  // Bytes the printer receives while `act` runs.
  template <class Act>
  Bytes Received(Act act) {
    const std::size_t before = world.Capture().size();
    act();
    const Bytes all = world.Capture();
    return Bytes(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
  }

  UiWorld world;
};

class EveryChain : public RepairForm, public ::testing::WithParamInterface<Chain> {};

TEST_P(EveryChain, RunsFromTheMenuToTheCompletionPanel) {
  const Chain& chain = GetParam();
  world.printer.SetEepromByte(0x1A, 0x5B);
  world.printer.SetEepromByte(0x1B, 0xCC);
  Choose(chain.item);
  EXPECT_FALSE(Menu().isVisible());
  ASSERT_TRUE(Form().isVisible());
  EXPECT_EQ(Form().RepairType(), 799 + chain.item);

  for (std::size_t index = 0; index < chain.steps.size(); ++index) {
    const ChainStep& step = chain.steps[index];
    SCOPED_TRACE(step.panel);
    if (index > 0) {
      EXPECT_THAT(VisibleOperationPanels(), IsEmpty());
      ClickStep(step.panel);
    }
    EXPECT_EQ(Colour(step.panel), ui::RepairChainPanel::kOpenColour);
    EXPECT_THAT(VisibleOperationPanels(), ::testing::SizeIs(1));
    EXPECT_FALSE(Shown(step.done));
    RunStep(step.kind);
    EXPECT_FALSE(Shown(step.panel));
    EXPECT_TRUE(Shown(step.done));
    EXPECT_EQ(Memo().toPlainText(), "");
  }
  EXPECT_THAT(VisibleOperationPanels(), ElementsAre("CompletedPnl"));
  EXPECT_EQ(Form().StepState(), ui::STEP_CHAIN_DONE);

  const auto eeprom = world.printer.Eeprom();
  for (const ChainStep& step : chain.steps) {
    std::string text(18, ' ');
    switch (step.kind) {
      case Step::HeadId:
        ASSERT_EQ(world.session.modules.head_id.ReadHeadId(text), PORT_OK);
        EXPECT_EQ(text.substr(0, 13), kHeadId.toStdString());
        EXPECT_EQ(Field("ShowHdVolIDPnl"), kHeadId);
        break;
      case Step::InkCharge:
        EXPECT_THAT(world.clock.Slept(), Contains(milliseconds(108'000)));
        break;
      case Step::NozzleCheck:
        EXPECT_TRUE(Includes(world.Capture(), kCaption));
        break;
      case Step::Bid:
        EXPECT_EQ(eeprom[0x33], 5);
        EXPECT_EQ(Field("ShowMsBkPnl"), "5");
        break;
      case Step::UsbId:
        ASSERT_EQ(world.session.modules.usb_id.ReadUsbId(text), PORT_OK);
        EXPECT_EQ(text.substr(0, 10), kUsbId.toStdString());
        EXPECT_THAT(world.dialogs.shown,
                    Contains(ShownDialog{DialogKind::Inform, kAfterUsbIdNote}));
        break;
      case Step::CounterClear:
        EXPECT_EQ(eeprom[0x1A], 0);
        EXPECT_EQ(eeprom[0x1B], 0);
        EXPECT_EQ(Field("ShowProCounterPnl"), "Initialized");
        break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(RepairForm, EveryChain, ::testing::ValuesIn(kChains));

TEST_F(RepairForm, StartingARepairShowsItsChainWithTheFirstStepOpen) {
  Choose(2);
  for (const char* chain :
       {"PrintheadRemovalPnl", "PrintheadReplacePnl", "MainBoardRepPnl", "CarriageRepRemPnl",
        "CRMotorRepPnl", "PrinterMechaRepPnl", "WasteInkPadRepPnl"}) {
    EXPECT_EQ(Shown(chain), std::string(chain) == "PrintheadReplacePnl") << chain;
  }
  EXPECT_EQ(Colour("Repair2HeadIDPnl"), ui::RepairChainPanel::kOpenColour);
  for (const char* step : {"Repair2InkChargePnl", "Repair2NozzleCheckPnl", "Repair2BidPnl"}) {
    EXPECT_EQ(Colour(step), ui::RepairChainPanel::kPendingColour) << step;
    EXPECT_EQ(Find<QWidget>(Form(), step).cursor().shape(), Qt::PointingHandCursor);
  }
  for (const char* arrow : {"FrameArrowImage21", "FrameArrowImage22", "FrameArrowImage23"}) {
    EXPECT_TRUE(Shown(arrow)) << arrow;
  }
  EXPECT_THAT(VisibleOperationPanels(), ElementsAre("HdVolWrtPnl"));
  for (const char* button : kCompleteButtons) EXPECT_FALSE(Enabled(button)) << button;
}

TEST_F(RepairForm, CaptionsStandAsTheTechnicianKnowsThem) {
  EXPECT_EQ(Find<QLabel>(Form(), "Repair7TitleLbl").text(), "Waste Ink Pad replacemant ");
  EXPECT_EQ(Find<QLabel>(Form(), "Repair2FourthDoneLbl").text(), "Bi-D adjustent has completed");
  EXPECT_EQ(Find<QLabel>(Form(), "Repair3SecondDoneLbl").text(), "Bi-D adjustment has completed");
  EXPECT_EQ(Find<QLabel>(Form(), "Repair7FirstDoneLbl").text(),
            "Protec counter clear has completed");
  EXPECT_EQ(Find<QPushButton>(Form(), "SeqRepairReturnToRepairMenuBtn").toolTip(),
            "Return to Repair menu");
}

TEST_F(RepairForm, AStepOutOfOrderDoesNotOpen) {
  Choose(2);
  RunStep(Step::HeadId);
  ASSERT_EQ(Form().StepState(), ui::STEP_HEAD_ID_DONE);
  Memo().setPlainText("kept");
  for (const char* early : {"Repair2NozzleCheckPnl", "Repair2BidPnl"}) {
    ClickStep(early);
    EXPECT_EQ(Colour(early), ui::RepairChainPanel::kPendingColour) << early;
  }
  EXPECT_THAT(VisibleOperationPanels(), IsEmpty());
  EXPECT_EQ(Memo().toPlainText(), "kept");
  EXPECT_THAT(world.dialogs.shown, IsEmpty());

  ClickStep("Repair2InkChargePnl");
  EXPECT_THAT(VisibleOperationPanels(), ElementsAre("InkChargePnl"));
}

TEST_F(RepairForm, MainBoardRepairAsksForTheUsbIdAfterTheBidStep) {
  Choose(3);
  RunStep(Step::HeadId);
  ClickStep("Repair3BidPnl");
  RunStep(Step::Bid);
  EXPECT_EQ(Form().StepState(), ui::STEP_BID_DONE);
  EXPECT_TRUE(Shown("Repair3SecondDoneLbl"));
  EXPECT_FALSE(Shown("FrameArrowImage32"));
  EXPECT_THAT(VisibleOperationPanels(), IsEmpty());

  ClickStep("Repair3UsbInputPnl");
  EXPECT_THAT(VisibleOperationPanels(), ElementsAre("UsbIdInputPnl"));
  EXPECT_THAT(world.dialogs.shown, IsEmpty());
  RunStep(Step::UsbId);
  EXPECT_THAT(world.dialogs.shown, ElementsAre(ShownDialog{DialogKind::Inform, kAfterUsbIdNote}));
  EXPECT_TRUE(Shown("Repair3ThirdDoneLbl"));
  EXPECT_THAT(VisibleOperationPanels(), ElementsAre("CompletedPnl"));
  EXPECT_EQ(Form().StepState(), ui::STEP_CHAIN_DONE);
}

TEST_F(RepairForm, TopMenuAsksInTheMiddleOfAChainAndNoKeepsEverything) {
  Choose(2);
  RunStep(Step::HeadId);
  ClickStep("Repair2InkChargePnl");
  Memo().setPlainText("kept");
  world.dialogs.answers = {false};
  Press("SeqRepairReturnToRepairMenuBtn");
  EXPECT_THAT(world.dialogs.shown, ElementsAre(ShownDialog{DialogKind::Confirm, kReturnQuestion}));
  EXPECT_TRUE(Form().isVisible());
  EXPECT_FALSE(Menu().isVisible());
  EXPECT_THAT(VisibleOperationPanels(), ElementsAre("InkChargePnl"));
  EXPECT_EQ(Colour("Repair2InkChargePnl"), ui::RepairChainPanel::kOpenColour);
  EXPECT_EQ(Memo().toPlainText(), "kept");
  EXPECT_EQ(Form().StepState(), ui::STEP_HEAD_ID_DONE);

  world.dialogs.answers = {true};
  Press("SeqRepairReturnToRepairMenuBtn");
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(Menu().isVisible());
  EXPECT_EQ(Form().StepState(), ui::STEP_HEAD_ID_DONE);
  EXPECT_EQ(Form().RepairType(), 801);
}

TEST_F(RepairForm, TopMenuReturnsWithoutAQuestionOnceTheChainIsDone) {
  Choose(4);
  RunStep(Step::Bid);
  Press("SeqRepairReturnToRepairMenuBtn");
  EXPECT_THAT(world.dialogs.shown, IsEmpty());
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(Menu().isVisible());
}

TEST_F(RepairForm, TheCloseBoxAsksLikeTopMenuInTheMiddleOfAChain) {
  Choose(2);
  RunStep(Step::HeadId);
  world.dialogs.answers = {false};
  EXPECT_FALSE(CloseBoxClicked());
  EXPECT_THAT(world.dialogs.shown, ElementsAre(ShownDialog{DialogKind::Confirm, kReturnQuestion}));
  EXPECT_TRUE(Form().isVisible());
  EXPECT_FALSE(Menu().isVisible());
  EXPECT_EQ(Form().StepState(), ui::STEP_HEAD_ID_DONE);

  world.dialogs.answers = {true};
  EXPECT_TRUE(CloseBoxClicked());
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(Menu().isVisible());
}

TEST_F(RepairForm, TheCloseBoxLeavesADoneChainWithoutAQuestion) {
  Choose(4);
  RunStep(Step::Bid);
  EXPECT_TRUE(CloseBoxClicked());
  EXPECT_THAT(world.dialogs.shown, IsEmpty());
  EXPECT_TRUE(Menu().isVisible());
}

TEST_F(RepairForm, ABusyFormIgnoresItsCloseBox) {
  Choose(2);
  Form().ShowRepairStatus(StatusMode::Busy, "working");
  EXPECT_FALSE(CloseBoxClicked());
  EXPECT_TRUE(Form().isVisible());
  EXPECT_FALSE(Menu().isVisible());
}

TEST_F(RepairForm, ChoosingAgainStartsAfreshButKeepsTheAdjustedItems) {
  Choose(4);
  RunStep(Step::Bid);
  Press("SeqRepairReturnToRepairMenuBtn");

  Choose(5);
  EXPECT_THAT(VisibleOperationPanels(), ElementsAre("BidPrnPnl"));
  EXPECT_FALSE(Shown("CarriageRepRemPnl"));
  EXPECT_FALSE(Shown("Repair5FirstDoneLbl"));
  for (const char* button : kCompleteButtons) EXPECT_FALSE(Enabled(button)) << button;
  EXPECT_EQ(Find<QLineEdit>(Form(), "MsBkBidWrtEdit").text(), "");
  EXPECT_FALSE(Find<QCheckBox>(Form(), "BidMsBkCheckBox").isChecked());
  EXPECT_EQ(Field("ShowMsBkPnl"), "5");

  Press("BidAdjustBtn");
  Find<QCheckBox>(Form(), "BidMsClCheckBox").setChecked(true);
  Find<QLineEdit>(Form(), "MsClBidWrtEdit").setText("-3");
  Press("BidInputBtn");
  Press("BidCompleteBtn");
  EXPECT_EQ(Field("ShowMsBkPnl"), "5");
  EXPECT_EQ(Field("ShowMsClPnl"), "-3");
  EXPECT_EQ(Form().RepairType(), 804);
}

TEST_F(RepairForm, LeavingInTheMiddleAndChoosingAgainStartsFromTheFirstStep) {
  Choose(2);
  RunStep(Step::HeadId);
  ClickStep("Repair2InkChargePnl");
  world.dialogs.answers = {true};
  Press("SeqRepairReturnToRepairMenuBtn");
  Choose(2);
  EXPECT_EQ(Form().StepState(), ui::STEP_NONE);
  EXPECT_TRUE(Shown("Repair2HeadIDPnl"));
  EXPECT_TRUE(Shown("FrameArrowImage21"));
  EXPECT_FALSE(Shown("Repair2FirstDoneLbl"));
  EXPECT_EQ(Colour("Repair2InkChargePnl"), ui::RepairChainPanel::kPendingColour);
  EXPECT_THAT(VisibleOperationPanels(), ElementsAre("HdVolWrtPnl"));
}

TEST_F(RepairForm, AFailingStepLeavesItsCompleteButtonAsItWas) {
  Choose(2);
  Find<QLineEdit>(Form(), "HdVolWrtEdit").setText("AZBCDEFJKLMNV");
  Press("HdVolWrtOKBtn");
  EXPECT_EQ(Memo().palette().color(QPalette::Text), QColor(Qt::red));
  EXPECT_FALSE(Enabled("HdVolWrtCompleteBtn"));

  Succeed(Step::HeadId);
  ASSERT_TRUE(Enabled("HdVolWrtCompleteBtn"));
  world.printer.SetFaults({.stall_input = true});
  Press("HdVolWrtOKBtn");
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_TRUE(Enabled("HdVolWrtCompleteBtn"));
  EXPECT_TRUE(Form().isEnabled());
  EXPECT_EQ(Form().StepState(), ui::STEP_NONE);
}

// The nozzle-check step of repair 1, which opens by itself.
class NozzleCheckStep : public RepairForm {
 protected:
  NozzleCheckStep() { Choose(1); }
};

TEST_F(NozzleCheckStep, TheFirstPassPrintsAtOnce) {
  const Bytes sent = Received([this] { Press("NozzleCheckOKBtn"); });
  ASSERT_GE(sent.size(), kCaption.size());
  EXPECT_TRUE(std::equal(kCaption.begin(), kCaption.end(), sent.begin()));
  EXPECT_THAT(world.clock.Slept(), IsEmpty());
  EXPECT_THAT(world.dialogs.shown, ElementsAre(ShownDialog{DialogKind::Inform, kRetryNote}));
  EXPECT_TRUE(Enabled("NozzleCheckCompleteBtn"));
  EXPECT_TRUE(Enabled("NozzleCheckOKBtn"));
  // The print reports on the individual form, which is hidden; this form keeps its text.
  EXPECT_EQ(Memo().toPlainText(), "");
  EXPECT_EQ(Find<QPlainTextEdit>(*world.forms.FormAdjust, "StatusMemo").toPlainText(),
            "Recovery clogged head routine has completed.");
  EXPECT_FALSE(ui::HourglassShown());
}

TEST_F(NozzleCheckStep, EveryLaterPassCleansWaitsAndResetsThePrinterFirst) {
  Press("NozzleCheckOKBtn");
  const Bytes sent = Received([this] { Press("NozzleCheckOKBtn"); });
  ASSERT_GE(sent.size(), kPowerfulCleaningFrame.size());
  EXPECT_TRUE(
      std::equal(kPowerfulCleaningFrame.begin(), kPowerfulCleaningFrame.end(), sent.begin()));
  const auto reset =
      std::search(sent.begin(), sent.end(), kPrinterReset.begin(), kPrinterReset.end());
  const auto caption = std::search(sent.begin(), sent.end(), kCaption.begin(), kCaption.end());
  EXPECT_LT(reset, caption);
  EXPECT_NE(caption, sent.end());
  EXPECT_THAT(world.clock.Slept(), ElementsAre(milliseconds(31'000)));
  EXPECT_EQ(Memo().toPlainText(), "Powerful Cleaning (CL1'') is completed.");
  EXPECT_TRUE(Form().isEnabled());
  EXPECT_EQ(world.dialogs.shown.size(), 2U);
}

TEST_F(NozzleCheckStep, TheTrackBarMovesThePrintDownTwoLinesAPosition) {
  Find<QSlider>(Form(), "NozzleCheckPrintTrackBar").setValue(30);
  const Bytes sent = Received([this] { Press("NozzleCheckOKBtn"); });
  Bytes expected;
  for (int line = 0; line < 60; ++line) expected.insert(expected.end(), {0x0D, 0x0A});
  expected.insert(expected.end(), kCaption.begin(), kCaption.end());
  ASSERT_GE(sent.size(), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), sent.begin()));
}

TEST_F(NozzleCheckStep, AFailedCleaningEndsThePassWithOkStillDisabled) {
  Press("NozzleCheckOKBtn");
  world.printer.SetFaults({.stall_input = true});
  const Bytes sent = Received([this] { Press("NozzleCheckOKBtn"); });
  EXPECT_FALSE(Includes(sent, kCaption));
  EXPECT_THAT(world.clock.Slept(), Not(Contains(milliseconds(31'000))));
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_FALSE(Enabled("NozzleCheckOKBtn"));
  EXPECT_TRUE(Enabled("NozzleCheckCompleteBtn"));
  EXPECT_TRUE(Form().isEnabled());

  // The next repair's nozzle check can run again.
  world.printer.SetFaults({});
  Press("NozzleCheckCompleteBtn");
  world.dialogs.answers = {true};
  Press("SeqRepairReturnToRepairMenuBtn");
  Choose(1);
  EXPECT_TRUE(Enabled("NozzleCheckOKBtn"));
  EXPECT_FALSE(Enabled("NozzleCheckCompleteBtn"));
}

TEST_F(NozzleCheckStep, ACheckThatNeverReachedThePaperCannotBeCompleted) {
  world.printer.SetFaults({.stall_input = true});
  Press("NozzleCheckOKBtn");
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_THAT(world.dialogs.shown, IsEmpty());
  EXPECT_FALSE(Enabled("NozzleCheckCompleteBtn"));
  EXPECT_TRUE(Enabled("NozzleCheckOKBtn"));
  EXPECT_FALSE(ui::HourglassShown());
}

TEST_F(RepairForm, StatusRoutineModes) {
  Choose(4);
  QPlainTextEdit& memo = Memo();
  Form().ShowRepairStatus(StatusMode::Busy, "busy");
  EXPECT_FALSE(Form().isEnabled());
  EXPECT_TRUE(ui::HourglassShown());
  EXPECT_EQ(memo.palette().color(QPalette::Text), QColor(Qt::blue));
  Form().ShowRepairStatus(StatusMode::NewLine, "second");
  Form().ShowRepairStatus(StatusMode::Append, " line");
  EXPECT_EQ(memo.toPlainText(), "busy\nsecond line");

  const Bytes sent = Received([this] { Form().ShowRepairStatus(StatusMode::Done, "done"); });
  EXPECT_EQ(sent, kReadAddressZeroFrame);
  EXPECT_TRUE(Form().isEnabled());
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_EQ(memo.palette().color(QPalette::Text), QColor(Qt::black));
  EXPECT_EQ(memo.toPlainText(), "done");

  Form().ShowRepairStatus(StatusMode::Busy, "busy");
  Form().ShowRepairResultCode(StatusMode::Error, ERR_PORT_NOT_OPEN);
  EXPECT_TRUE(Form().isEnabled());
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_EQ(memo.palette().color(QPalette::Text), QColor(Qt::red));
  EXPECT_EQ(memo.toPlainText(), "Cannot open port.");
}

}  // namespace
}  // namespace opal::testing
