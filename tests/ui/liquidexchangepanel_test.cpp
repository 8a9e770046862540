#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "tests/ui/support/adjustformtest.h"
#include "ui/forms/quit.h"

namespace opal::testing {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kQuestion = "Have you set the dummy I/C filled with L57 liquid?";
constexpr const char* kBusy = "Performing Transportion Liquid Exchange now.";

// "Refurbishment for DOA" chosen, on a printer that stays silent this long after the exchange.
class LiquidExchange : public AdjustFormTest {
 protected:
  void Exchange(bool yes, int silence_ms = 3000) {
    world.printer.SetSimulation({.exchange_silence_ms = silence_ms});
    Pick("MainteRdoGrp", 2);
    world.dialogs.answers = {yes};
    Click("ExchangeSequence1Pnl");
  }
  // Where the exchange panel stands: "EXCHANGE SEQUENCE" offered, "Next >" offered.
  std::vector<bool> Offers() {
    return {Shown("ExchangeSequence1Pnl"), Shown("ExchangeCompleteNextBtn")};
  }
};

TEST_F(LiquidExchange, NoAsksForTheDummyCartridgeAndSendsNothing) {
  Exchange(false);
  EXPECT_THAT(world.dialogs.shown,
              ElementsAre(ShownDialog{DialogKind::Confirm, kQuestion},
                          ShownDialog{DialogKind::Inform,
                                      "Please set the dummy I/C filled with L57 liquid."}));
  EXPECT_EQ(SentSinceStart(), 0u);
  EXPECT_THAT(Offers(), ElementsAre(true, false));
}

TEST_F(LiquidExchange, WaitsThenPollsUntilThePrinterAnswersAndOffersNext) {
  Exchange(true, 14'500);
  EXPECT_TRUE(Received({0x03, 0x00, 0x00, 0x00, 0x00, 0x88, 0x13, 0x0F, 0x08}));
  // Ten seconds, then a query and a pause each second while the printer stays silent.
  EXPECT_THAT(world.clock.Slept(),
              ElementsAre(milliseconds(10'000), milliseconds(1000), milliseconds(1000),
                          milliseconds(1000), milliseconds(1000), milliseconds(1000)));
  EXPECT_TRUE(EverShown(kBusy));
  EXPECT_TRUE(EverShown(QString(kBusy) + "\nNo answer from the printer for 4 s"));
  EXPECT_EQ(Memo().toPlainText(), "Transportion Liquid Exchange is completed.");
  EXPECT_THAT(Offers(), ElementsAre(false, true));

  OneSecondLater();
  Click("ExchangeCompleteNextBtn");
  EXPECT_TRUE(Shown("ExchangePnl2"));
  EXPECT_FALSE(Shown("ExchangePnl1"));
  EXPECT_EQ(Memo().toPlainText(), "");
}

TEST_F(LiquidExchange, LeavingThePanelBringsTheSequenceBack) {
  Exchange(true);
  ASSERT_THAT(Offers(), ElementsAre(false, true));
  OneSecondLater();
  Pick("MainteRdoGrp", 0);
  Pick("MainteRdoGrp", 2);
  EXPECT_THAT(Offers(), ElementsAre(true, false));
}

TEST_F(LiquidExchange, APrinterThatNeverComesBackIsReportedAfterThreeMinutes) {
  Exchange(true, 3'600'000);
  EXPECT_EQ(world.clock.Slept().size(), 1u + 180u);
  EXPECT_TRUE(EverShown(QString(kBusy) + "\nNo answer from the printer for 179 s"));
  EXPECT_EQ(Memo().toPlainText(), "The printer did not come back after the liquid exchange.");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_TRUE(Form().isEnabled());
  EXPECT_THAT(Offers(), ElementsAre(true, false));
}

// Nothing reached the printer: an exchange that never ran must not lead to the data reset, which
// would clear the counter and ink flags for it.
TEST_F(LiquidExchange, ACommandThePrinterDidNotTakeEndsInRedWithoutTheDataReset) {
  world.printer.SetFaults({.stall_input = true});
  Exchange(true);
  EXPECT_FALSE(EverShown("Transportion Liquid Exchange is completed."));
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_TRUE(Form().isEnabled());
  EXPECT_THAT(Offers(), ElementsAre(true, false));
}

TEST_F(LiquidExchange, TheDataResetClosesTheFormWithoutInitialisingThePrinter) {
  world.printer.SetEepromByte(0x1A, 0x12);
  world.printer.SetEepromByte(0x1B, 0x34);
  world.printer.SetEepromByte(0x01, 0x77);
  world.printer.SetEepromByte(0x26, 0x66);
  Exchange(true);
  OneSecondLater();
  Click("ExchangeCompleteNextBtn");
  world.dialogs.shown.clear();
  const std::size_t slept = world.clock.Slept().size();

  Click("ExchangeResetOKBtn");

  const auto eeprom = world.printer.Eeprom();
  EXPECT_THAT((std::vector<int>{eeprom[0x1A], eeprom[0x1B], eeprom[0x01], eeprom[0x26]}),
              ElementsAre(0x00, 0x00, 0x00, 0x05));
  EXPECT_TRUE(EverShown("Reseting data."));
  EXPECT_TRUE(EverShown("Protection counter & Ink Flag2 are reseted."));
  EXPECT_THAT(world.dialogs.shown,
              ElementsAre(ShownDialog{DialogKind::Inform,
                                      "Replace the waste ink pad\nafter turn off the printer."}));
  EXPECT_EQ(world.clock.Slept().size(), slept);
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(world.forms.FormQuit->isVisible());
  EXPECT_FALSE(world.session.port.IsOpen());
}

TEST_F(LiquidExchange, AFailedDataResetStopsAndKeepsTheFormOpen) {
  world.printer.SetEepromByte(0x01, 0x77);
  Pick("MainteRdoGrp", 2);
  Form().ResetPanels(false);
  Form().ShowPanel(ui::PanelId::DataReset);
  world.printer.SetFaults({.stall_input = true});

  Click("ExchangeResetOKBtn");

  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_EQ(world.printer.Eeprom()[0x01], 0x77);
  EXPECT_THAT(world.dialogs.shown, IsEmpty());
  EXPECT_TRUE(Form().isVisible());
  EXPECT_TRUE(Shown("ExchangePnl2"));
}

}  // namespace
}  // namespace opal::testing
