#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "maintenance/maintenance.h"
#include "tests/support/gatedprinter.h"
#include "tests/support/scriptedlink.h"

namespace opal {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using testing::EepromWriteFrame;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SequenceTest : public testing::GatedPrinterTest {
 protected:
  TMaintenanceModule maintenance{command};
};

TEST_F(SequenceTest, CleaningAndInkChargeWaitOnlyForAPrinterThatTookTheCommand) {
  struct Case {
    const TimedSequence& sequence;
    uint8_t mode;
    milliseconds wait;
  };
  for (const Case& c : {Case{kPowerfulCleaning, 0x0A, milliseconds(31'000)},
                        Case{kInitialInkCharge, 0x09, milliseconds(108'000)}}) {
    gate = {};
    testing::FakeClock sleeper;
    EXPECT_EQ(RunTimedSequence(command, sleeper, c.sequence), PORT_OK);
    EXPECT_THAT(gate.frames, ElementsAre(testing::Frame{0x1B, 0x7C, 0, 6, 0, 6, 0x31, 0x84, 0x7B,
                                                        0x42, c.mode}));
    EXPECT_THAT(sleeper.Slept(), ElementsAre(c.wait));

    gate.frames_before_cut = 0;
    testing::FakeClock refused;
    EXPECT_EQ(RunTimedSequence(command, refused, c.sequence), ERR_SEND_COUNT);
    EXPECT_THAT(refused.Slept(), IsEmpty());
  }
}

TEST_F(SequenceTest, DataResetClearsTheCounterThenSetsTheInkFlags) {
  printer.SetEepromByte(0x01, 0x77);
  printer.SetEepromByte(0x26, 0x66);
  ASSERT_EQ(ResetRefurbishedData(maintenance, command), PORT_OK);
  EXPECT_THAT(EepromWrites(),
              ElementsAre(EepromWriteFrame(0x1B, 0x00), EepromWriteFrame(0x1A, 0x00),
                          EepromWriteFrame(0x01, 0x00), EepromWriteFrame(0x26, 0x05)));
  const auto eeprom = printer.Eeprom();
  EXPECT_THAT((std::array{eeprom[0x1A], eeprom[0x1B], eeprom[0x01], eeprom[0x26]}),
              ElementsAre(0x00, 0x00, 0x00, 0x05));
}

TEST_F(SequenceTest, DataResetStopsAtTheFirstFailure) {
  const std::array<uint8_t, 4> addresses{0x1B, 0x1A, 0x01, 0x26};
  const std::array<uint8_t, 4> before{0xCC, 0x5B, 0x77, 0x66};
  const std::array<uint8_t, 4> reset{0x00, 0x00, 0x00, 0x05};
  struct Case {
    int frames_before_cut;  // each pair of writes is read back before the next pair goes out
    std::size_t written;
    Result result;
  };
  for (const Case& c : std::vector<Case>{{0, 0, ERR_SEND_COUNT},
                                         {1, 1, ERR_SEND_COUNT},
                                         {2, 2, ERR_WRITE_UNREADABLE},
                                         {5, 3, ERR_SEND_COUNT},
                                         {6, 4, ERR_WRITE_UNREADABLE}}) {
    for (std::size_t i = 0; i < addresses.size(); ++i) {
      printer.SetEepromByte(addresses[i], before[i]);
    }
    gate = {};
    gate.frames_before_cut = c.frames_before_cut;
    EXPECT_EQ(ResetRefurbishedData(maintenance, command), c.result) << c.frames_before_cut;
    EXPECT_EQ(EepromWrites().size(), c.written);
    const auto eeprom = printer.Eeprom();
    for (std::size_t i = 0; i < addresses.size(); ++i) {
      EXPECT_EQ(eeprom[addresses[i]], i < c.written ? reset[i] : before[i])
          << "write " << i << " after " << c.frames_before_cut << " frames";
    }
  }
}

TEST_F(SequenceTest, DataResetWritesNoFlagAfterACounterThePrinterDoesNotHold) {
  gate.drop_eeprom_writes = true;
  EXPECT_EQ(ResetRefurbishedData(maintenance, command), ERR_WRITE_NOT_HELD);
  EXPECT_EQ(EepromWrites().size(), 2u);
}

TEST_F(SequenceTest, ExchangeGivesUpOnAPrinterSilentForThreeMinutes) {
  printer.SetFaults({.silent = true});
  std::vector<seconds> silences;
  const auto start = clock.Now();
  EXPECT_EQ(RunLiquidExchange(command, clock, clock, clock,
                              [&](seconds silent) { silences.push_back(silent); }),
            ERR_PRINTER_NOT_BACK);
  EXPECT_EQ(clock.Now() - start, seconds(10) + std::chrono::minutes(3));
  ASSERT_EQ(silences.size(), 180u);
  EXPECT_EQ(silences.front(), seconds(0));
  EXPECT_EQ(silences.back(), seconds(179));
  EXPECT_EQ(clock.Slept().front(), milliseconds(10'000));
  EXPECT_EQ(gate.frames.size(), 2u);
  EXPECT_EQ(ResultMessage(ERR_PRINTER_NOT_BACK),
            "The printer did not come back after the liquid exchange.");
}

class ExchangeReturnTest : public testing::ScriptedLinkTest {};

TEST_F(ExchangeReturnTest, PollingEndsAsSoonAsThePrinterAnswers) {
  const std::string answer = script.device_id;
  script.device_id.clear();
  std::vector<seconds> silences;
  const auto on_silence = [&](seconds silent) {
    silences.push_back(silent);
    if (silent == seconds(4)) script.device_id = answer;
  };
  EXPECT_EQ(RunLiquidExchange(command, clock, clock, clock, on_silence), PORT_OK);
  EXPECT_THAT(silences, ElementsAre(seconds(0), seconds(1), seconds(2), seconds(3), seconds(4)));
}

TEST_F(ExchangeReturnTest, CommandThatDidNotGoThroughFailsAtOnce) {
  struct Case {
    const char* name;
    long accept_per_write;
    std::size_t stall_after_writes;
    Result result;
  };
  for (const Case& c : {Case{"refused", 0, SIZE_MAX, ERR_SEND_TIMEOUT},
                        Case{"header only", -1, 1, ERR_SEND_TIMEOUT}}) {
    script.writes.clear();
    script.accept_per_write = c.accept_per_write;
    script.stall_after_writes = c.stall_after_writes;
    const auto start = clock.Now();
    EXPECT_EQ(RunLiquidExchange(command, clock, clock, clock, [](seconds) { FAIL(); }), c.result)
        << c.name;
    EXPECT_LE(clock.Now() - start, seconds(11)) << c.name;  // one write's limit
    EXPECT_THAT(clock.Slept(), IsEmpty()) << c.name;
  }
}

}  // namespace
}  // namespace opal
