#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <ctime>
#include <memory>
#include <ostream>

#include "tests/ui/support/recordinghost.h"
#include "tests/ui/support/uiworld.h"
#include "ui/panels/counterclearpanel.h"
#include "ui/panels/headidinputpanel.h"
#include "ui/panels/usbidinputpanel.h"

namespace opal::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A panel that serves both forms, as the repair form hosts it for a step.
struct StepCase {
  const char* panel;
  const char* complete;
  ui::OperationPanel* (*make)(ui::ServiceContext&, ui::PanelHost&);
  // What the technician does for the step's operation; the dialogs answer Yes.
  void (*operate)(QWidget& panel);
};

void PrintTo(const StepCase& c, std::ostream* out) {
  *out << c.panel;
}

template <class Panel>
ui::OperationPanel* Make(ui::ServiceContext& context, ui::PanelHost& host) {
  return new Panel(context, host, ui::PanelRole::RepairStep);
}

void TypeAndPress(QWidget& panel, const char* edit, const char* text, const char* button) {
  QTest::keyClicks(&Find<QLineEdit>(panel, edit), text);
  QTest::mouseClick(&Find<QPushButton>(panel, button), Qt::LeftButton);
}

const StepCase kSteps[] = {
    {"HdVolWrtPnl", "HdVolWrtCompleteBtn", Make<ui::HeadIdInputPanel>,
     [](QWidget& panel) { TypeAndPress(panel, "HdVolWrtEdit", "AZBCDEFJKLMNW", "HdVolWrtOKBtn"); }},
    {"UsbIdInputPnl", "UsbIdInputCompleteBtn", Make<ui::UsbIdInputPanel>,
     [](QWidget& panel) {
       TypeAndPress(panel, "UsbIdInputEdit", "AB12345678", "UsbIdInputOKBtn");
     }},
    {"CounterClearPnl", "CounterClearCompleteBtn", Make<ui::CounterClearPanel>,
     [](QWidget& panel) {
       QTest::mouseClick(&Find<QPushButton>(panel, "CounterClearOKBtn"), Qt::LeftButton);
     }},
};

class RepairSteps : public ::testing::TestWithParam<StepCase> {
 protected:
  RepairSteps() : panel(GetParam().make(world.context, host)) {
    std::tm local{};
    local.tm_year = 124;
    local.tm_mday = 1;
    world.clock.SetLocalTime(local);
    world.Connect(1, 1);
    panel->show();
  }

  QPushButton& Complete() { return Find<QPushButton>(*panel, GetParam().complete); }
  void Operate() {
    world.dialogs.answers = {true};
    GetParam().operate(*panel);
  }

  UiWorld world;
  RecordingHost host{world.session.command};
  std::unique_ptr<ui::OperationPanel> panel;
};

TEST_P(RepairSteps, CompleteIsEnabledBySuccessAndCompletesTheStepOnce) {
  EXPECT_EQ(panel->objectName(), GetParam().panel);
  EXPECT_EQ(Complete().text(), "Complete");
  EXPECT_FALSE(Complete().isEnabled());

  Operate();
  ASSERT_TRUE(Complete().isEnabled());
  EXPECT_EQ(host.lines.front().first, StatusMode::Plain);

  QSignalSpy completed(panel.get(), &ui::OperationPanel::StepCompleted);
  QTest::mouseClick(&Complete(), Qt::LeftButton);
  EXPECT_EQ(completed.count(), 1);
  EXPECT_FALSE(Complete().isEnabled());
  EXPECT_THAT(host.shown, IsEmpty());
}

TEST_P(RepairSteps, AFailureLeavesCompleteAsItWas) {
  world.printer.SetFaults({.stall_input = true});
  Operate();
  EXPECT_EQ(host.lines.back(), std::pair(StatusMode::Error, QString("Transmission error")));
  EXPECT_FALSE(Complete().isEnabled());

  world.printer.SetFaults({});
  Operate();
  world.printer.SetFaults({.stall_input = true});
  Operate();
  EXPECT_TRUE(Complete().isEnabled());
}

TEST_P(RepairSteps, ANewRepairDisablesComplete) {
  Operate();
  panel->ClearInput();
  EXPECT_FALSE(Complete().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(SharedPanels, RepairSteps, ::testing::ValuesIn(kSteps));

TEST(RepairStepWording, TheRepairFormWordsItsStepsItsOwnWay) {
  UiWorld world;
  RecordingHost host{world.session.command};
  ui::UsbIdInputPanel usb_id(world.context, host, ui::PanelRole::RepairStep);
  ui::CounterClearPanel counter(world.context, host, ui::PanelRole::RepairStep);
  EXPECT_EQ(Find<QLabel>(usb_id, "TitleLbl").text(), "Input USB ID ");
  EXPECT_EQ(Find<QLabel>(usb_id, "UsbIdInputInstLbl").text(),
            "Enter Serial NO., and click OK button. ");
  EXPECT_EQ(Find<QLabel>(counter, "CounterClearInstLbl").text(),
            "The protection counter is initialized by clicking OK button.");
}

TEST(RepairStepWording, NoToTheCounterQuestionLeavesTheStepOpen) {
  UiWorld world;
  world.Connect(1, 1);
  RecordingHost host{world.session.command};
  ui::CounterClearPanel counter(world.context, host, ui::PanelRole::RepairStep);
  world.dialogs.answers = {false};
  QTest::mouseClick(&Find<QPushButton>(counter, "CounterClearOKBtn"), Qt::LeftButton);
  EXPECT_EQ(world.dialogs.shown.back(),
            (ShownDialog{DialogKind::Warn, "Retry this routine from first step."}));
  EXPECT_EQ(host.resets, 0);
  EXPECT_THAT(host.shown, IsEmpty());
  EXPECT_FALSE(Find<QPushButton>(counter, "CounterClearCompleteBtn").isEnabled());
}

}  // namespace
}  // namespace opal::testing
