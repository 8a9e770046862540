#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <chrono>
#include <ostream>
#include <vector>

#include "tests/ui/support/adjustformtest.h"
#include "tests/ui/support/recordinghost.h"
#include "ui/panels/inkchargepanel.h"

namespace opal::testing {
namespace {

using std::chrono::milliseconds;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr const char* kInkChargeQuestion = "Have you replaced both brand-new I/C?";
constexpr const char* kInkChargeRefused =
    "Please replace both brand-new I/C properly,\nby performing I/C exchange sequence.";

std::vector<uint8_t> CleaningFrame(uint8_t mode) {
  return {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x84, 0x7B, 0x42, mode};
}

// "Head cleaning" and "Initial ink charge" of the maintenance menu.
struct SequenceCase {
  const char* name;
  int item;
  const char* button;
  bool asks;
  uint8_t mode;
  milliseconds wait;
  const char* busy;
  const char* done;
};

void PrintTo(const SequenceCase& c, std::ostream* out) {
  *out << c.name;
}

const SequenceCase kCleaning{"cleaning",
                             0,
                             "CleaningOKBtn",
                             false,
                             0x0A,
                             milliseconds(31'000),
                             "Performing powerful Cleaning (CL1'') now.",
                             "Powerful Cleaning (CL1'') is completed."};
const SequenceCase kInkCharge{"ink charge",
                              1,
                              "ChargeOKBtn",
                              true,
                              0x09,
                              milliseconds(108'000),
                              "Performing Initial Ink Charge now.",
                              "Initial Ink Charge is completed."};

class TimedSequences : public AdjustFormTest, public ::testing::WithParamInterface<SequenceCase> {
 protected:
  void Run() {
    Pick("MainteRdoGrp", GetParam().item);
    if (GetParam().asks) world.dialogs.answers = {true};
    Click(GetParam().button);
  }
};

TEST_P(TimedSequences, SendTheCommandAndWaitWhileThePrinterWorks) {
  const SequenceCase& c = GetParam();
  Run();
  EXPECT_TRUE(Received(CleaningFrame(c.mode)));
  EXPECT_THAT(world.clock.Slept(), ElementsAre(c.wait));
  EXPECT_TRUE(EverShown(c.busy));
  EXPECT_EQ(Memo().toPlainText(), c.done);
  EXPECT_EQ(MemoColour(), QColor(Qt::black));
  if (c.asks) {
    EXPECT_THAT(world.dialogs.shown,
                ElementsAre(ShownDialog{DialogKind::Confirm, kInkChargeQuestion}));
  } else {
    EXPECT_THAT(world.dialogs.shown, IsEmpty());
  }
}

TEST_P(TimedSequences, ARefusedCommandIsShownInRedWithoutTheWait) {
  world.printer.SetFaults({.stall_input = true});
  Run();
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_THAT(world.clock.Slept(), Not(Contains(GetParam().wait)));
  EXPECT_TRUE(Form().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(MaintenanceMenu, TimedSequences, ::testing::Values(kCleaning, kInkCharge));

TEST_F(AdjustFormTest, InkChargeAnsweredNoWarnsAndReturnsToTheEmptyCanvas) {
  Pick("MainteRdoGrp", 1);
  Memo().setPlainText("earlier text");
  world.dialogs.answers = {false};
  Click("ChargeOKBtn");
  EXPECT_THAT(world.dialogs.shown, ElementsAre(ShownDialog{DialogKind::Confirm, kInkChargeQuestion},
                                               ShownDialog{DialogKind::Warn, kInkChargeRefused}));
  EXPECT_TRUE(Shown("CanvasPnl"));
  EXPECT_FALSE(Shown("ChargePnl"));
  EXPECT_EQ(Memo().toPlainText(), "");
  EXPECT_EQ(SentSinceStart(), 0u);
  EXPECT_THAT(world.clock.Slept(), IsEmpty());
}

TEST_F(AdjustFormTest, TheIndividualFormsInkChargeHasNoCompleteButton) {
  EXPECT_EQ(Form().findChild<QPushButton*>("InkChargeCompleteBtn"), nullptr);
}

class InkChargeStep : public ::testing::Test {
 protected:
  InkChargeStep() {
    world.Connect(1, 1);
    panel.show();
  }

  QPushButton& Button(const char* name) { return Find<QPushButton>(panel, name); }
  void Charge(bool yes) {
    world.dialogs.answers = {yes};
    QTest::mouseClick(&Button("ChargeOKBtn"), Qt::LeftButton);
  }

  UiWorld world;
  RecordingHost host{world.session.command};
  ui::InkChargePanel panel{world.context, host, ui::PanelRole::RepairStep};
};

TEST_F(InkChargeStep, IsTheRepairFormsInkChargePanel) {
  EXPECT_EQ(panel.objectName(), "InkChargePnl");
  EXPECT_EQ(Find<QLabel>(panel, "TitleLbl").text(), "Ink charge ");
  EXPECT_EQ(Find<QLabel>(panel, "ChargeQuestionLbl").text(),
            "Do you want to perform the ink charge? ");
  EXPECT_EQ(Button("InkChargeCompleteBtn").text(), "Complete");
  EXPECT_FALSE(Button("InkChargeCompleteBtn").isEnabled());
}

TEST_F(InkChargeStep, NoWarnsAndLeavesThePanelOpenWithCompleteDisabled) {
  Charge(false);
  EXPECT_EQ(world.dialogs.shown.back(), (ShownDialog{DialogKind::Warn, kInkChargeRefused}));
  EXPECT_EQ(host.resets, 0);
  EXPECT_THAT(host.shown, IsEmpty());
  EXPECT_THAT(host.lines, IsEmpty());
  EXPECT_TRUE(panel.isVisible());
  EXPECT_FALSE(Button("InkChargeCompleteBtn").isEnabled());
}

TEST_F(InkChargeStep, ASuccessfulChargeEnablesCompleteWhichCompletesTheStepOnce) {
  Charge(true);
  EXPECT_THAT(host.lines, ElementsAre(std::pair{StatusMode::Busy, QString(kInkCharge.busy)},
                                      std::pair{StatusMode::Done, QString(kInkCharge.done)}));
  EXPECT_THAT(world.clock.Slept(), Contains(milliseconds(108'000)));
  ASSERT_TRUE(Button("InkChargeCompleteBtn").isEnabled());
  EXPECT_TRUE(Button("ChargeOKBtn").isEnabled());

  // An answer of No to a second charge keeps the step's earlier success.
  Charge(false);
  EXPECT_TRUE(Button("InkChargeCompleteBtn").isEnabled());

  QSignalSpy completed(&panel, &ui::OperationPanel::StepCompleted);
  QTest::mouseClick(&Button("InkChargeCompleteBtn"), Qt::LeftButton);
  EXPECT_EQ(completed.count(), 1);
  EXPECT_FALSE(Button("InkChargeCompleteBtn").isEnabled());
}

TEST_F(InkChargeStep, AFailedChargeLeavesCompleteAsItWas) {
  world.printer.SetFaults({.stall_input = true});
  Charge(true);
  EXPECT_EQ(host.lines.back(), (std::pair{StatusMode::Error, QString("Transmission error")}));
  EXPECT_FALSE(Button("InkChargeCompleteBtn").isEnabled());
}

TEST_F(InkChargeStep, ANewRepairDisablesComplete) {
  Charge(true);
  panel.ClearInput();
  EXPECT_FALSE(Button("InkChargeCompleteBtn").isEnabled());
}

}  // namespace
}  // namespace opal::testing
