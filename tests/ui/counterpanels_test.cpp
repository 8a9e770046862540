#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <ostream>

#include "tests/ui/support/adjustformtest.h"
#include "ui/seams/screencursor.h"

namespace opal::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kQuestion = "Have you replaced the Waste Ink Pad certainly?";

// "Protection counter" picked in the "Maintenance" menu.
class CounterPanels : public AdjustFormTest {
 protected:
  CounterPanels() { Pick("MainteRdoGrp", 3); }

  void Choose(int item) {
    Find<ui::RadioGroup>(Form(), "CounterRdoBtn").SetItemIndex(item);
    Click("ProCounterOKBtn");
  }
  void SetCounter(uint8_t high, uint8_t low) {
    world.printer.SetEepromByte(0x1A, high);
    world.printer.SetEepromByte(0x1B, low);
  }
  std::vector<uint8_t> Counter() {
    const auto eeprom = world.printer.Eeprom();
    return {eeprom[0x1A], eeprom[0x1B]};
  }
  void Clear(bool yes) {
    Choose(1);
    world.dialogs.answers = {yes};
    Click("CounterClearOKBtn");
  }
  QString CounterField() { return Find<QLabel>(Form(), "ShowProCounterPnl").text(); }
};

TEST_F(CounterPanels, TheCheckShowsTheCounterInDecimal) {
  const struct {
    uint8_t high, low;
    const char* shown;
  } cases[] = {{0x5B, 0xCC, "Counter value = 23500"},
               {0xFF, 0xFF, "Counter value = 65535"},
               {0x00, 0x00, "Counter value = 0"}};
  Choose(0);
  ASSERT_TRUE(Shown("CounterCheckPnl"));
  for (const auto& c : cases) {
    SetCounter(c.high, c.low);
    Click("CounterCheckOKBtn");
    EXPECT_EQ(Memo().toPlainText(), c.shown);
    EXPECT_FALSE(ui::HourglassShown());
  }
}

TEST_F(CounterPanels, YesClearsTheCounterAndMarksTheField) {
  SetCounter(0x5B, 0xCC);
  Clear(true);
  EXPECT_THAT(world.dialogs.shown, ElementsAre(ShownDialog{DialogKind::Confirm, kQuestion}));
  EXPECT_THAT(Counter(), ElementsAre(0x00, 0x00));
  EXPECT_EQ(Memo().toPlainText(), "The protection counter has been initialized.");
  EXPECT_EQ(CounterField(), "Initialized");
  EXPECT_TRUE(Shown("CounterClearPnl"));
}

TEST_F(CounterPanels, NoWarnsAndLeavesTheEmptyCanvas) {
  SetCounter(0x5B, 0xCC);
  Form().ShowStatus(StatusMode::Plain, "Earlier message");
  Clear(false);
  EXPECT_THAT(world.dialogs.shown,
              ElementsAre(ShownDialog{DialogKind::Confirm, kQuestion},
                          ShownDialog{DialogKind::Warn, "Retry this routine from first step."}));
  EXPECT_EQ(SentSinceStart(), 0u);
  EXPECT_THAT(Counter(), ElementsAre(0x5B, 0xCC));
  EXPECT_TRUE(Shown("CanvasPnl"));
  EXPECT_FALSE(Shown("CounterClearPnl"));
  EXPECT_EQ(Memo().toPlainText(), "");
  EXPECT_EQ(CounterField(), "");
}

TEST_F(CounterPanels, AFailingPrinterShowsItsMessageAndThePanelStays) {
  world.printer.SetFaults({.corrupt_reply = true});
  Choose(0);
  Click("CounterCheckOKBtn");
  EXPECT_EQ(Memo().toPlainText(), "Receive error");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_TRUE(Shown("CounterCheckPnl"));

  world.printer.SetFaults({.stall_input = true});
  Click("CounterCheckRtnBtn");
  Clear(true);
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_EQ(CounterField(), "");
  EXPECT_TRUE(Shown("CounterClearPnl"));
}

class CounterPrevious : public CounterPanels, public ::testing::WithParamInterface<int> {};

TEST_P(CounterPrevious, ReturnsToTheChoiceWithAnEmptyStatus) {
  const int item = GetParam();
  Choose(item);
  Form().ShowStatus(StatusMode::Plain, "Earlier message");
  Click(item == 0 ? "CounterCheckRtnBtn" : "CounterClearRtnBtn");
  EXPECT_TRUE(Shown("CounterPnl"));
  EXPECT_FALSE(Shown(item == 0 ? "CounterCheckPnl" : "CounterClearPnl"));
  EXPECT_EQ(Memo().toPlainText(), "");
}

INSTANTIATE_TEST_SUITE_P(CheckAndClear, CounterPrevious, ::testing::Values(0, 1));

}  // namespace
}  // namespace opal::testing
