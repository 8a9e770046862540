#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <string>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjusteditems.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/quit.h"
#include "ui/forms/sequence.h"
#include "ui/seams/screencursor.h"
#include "ui/widgets/clickablepanel.h"

namespace opal::testing {
namespace {

class RepairMenu : public ::testing::Test {
 protected:
  RepairMenu() {
    world.Connect(1, 1);
    Find<ui::AdjustedItemPanel>(*world.forms.FormSequentialRepair, "Panel8")
        .Set(ui::AdjustedItem::MsBlack, "7");
  }

  void Quit() {
    QTest::mouseClick(
        &Find<QPushButton>(*world.forms.FormBootSequential, "SequentialFormBootQuitBtn"),
        Qt::LeftButton);
  }

  void ExpectInitialisedAndLeft() {
    EXPECT_THAT(world.dialogs.shown,
                ::testing::ElementsAre(ShownDialog{DialogKind::Inform,
                                                   "This program starts to initialize the "
                                                   "printer.\nPlease wait about 30 seconds."}));
    EXPECT_THAT(world.clock.Slept(), ::testing::Contains(std::chrono::milliseconds(25'000)));
    EXPECT_FALSE(world.session.port.IsOpen());
    EXPECT_FALSE(world.forms.FormBootSequential->isVisible());
    EXPECT_TRUE(world.forms.FormQuit->isVisible());
    EXPECT_FALSE(ui::HourglassShown());
    EXPECT_EQ(Find<QLabel>(*world.forms.FormSequentialRepair, "ShowMsBkPnl").text(), "");
  }

  UiWorld world;
};

TEST_F(RepairMenu, QuitInitialisesThePrinterWaitsAndShowsTheQuitForm) {
  Quit();
  EXPECT_TRUE(EndsWith(world.Capture(), kInitializeFrame));
  ExpectInitialisedAndLeft();
}

TEST_F(RepairMenu, QuitGoesThroughTheSameStepsWhenThePrinterIsOff) {
  world.printer.SetFaults({.silent = true});
  Quit();
  ExpectInitialisedAndLeft();
}

TEST_F(RepairMenu, ShowsItsTextsAndTheChosenModel) {
  const QWidget& menu = *world.forms.FormBootSequential;
  EXPECT_EQ(menu.windowTitle(), "Sequential Repair Service Program");
  EXPECT_EQ(Find<QLabel>(menu, "SeqRepairTitleLbl").text(), "Sequential Repair Service Program");
  EXPECT_EQ(Find<QLabel>(menu, "SeqRepairInstLbl").text(),
            "What do you perform repair item? Select the below.");
  EXPECT_EQ(Find<QLabel>(menu, "FormBootSequentialModelNameLbl").text(), "Corvane Opal 320");
  EXPECT_EQ(Find<QPushButton>(menu, "SequentialFormBootQuitBtn").text(), "Quit");
  const char* const items[] = {
      "1. Printhead removal",        "2. Printhead replacement",
      "3. Main board replacement",   "4. Carriage unit replacement or removal",
      "5. CR Motor replacement",     "6. Printer mechanism replacement",
      "7. Waste Ink Pad replacement"};
  for (int item = 1; item <= 7; ++item) {
    const auto& panel =
        Find<ui::ClickablePanel>(menu, ("SeqRepairPnl" + std::to_string(item)).c_str());
    EXPECT_EQ(panel.Caption(), items[item - 1]);
    EXPECT_EQ(panel.cursor().shape(), Qt::PointingHandCursor);
  }
}

}  // namespace
}  // namespace opal::testing
