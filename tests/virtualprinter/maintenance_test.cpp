#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "tests/virtualprinter/printerfixture.h"

namespace vp::testing {
namespace {

using std::chrono::milliseconds;
using vp::testing::PrintTo;

Bytes CleaningFrame(uint8_t mode) {
  return {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x84, 0x7B, 0x42, mode};
}

const Bytes kExchangeFrame{0x1B, 0x7C, 0x00, 0x0E, 0x00, 0x06, 0x31, 0x81, 0x7E, 0xC0,
                           0x03, 0x00, 0x00, 0x00, 0x00, 0x88, 0x13, 0x0F, 0x08};

void WriteFile(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

struct SequenceCase {
  const char* name;
  uint8_t mode;
  int black_percent;  // of a new cartridge, in the chip's whole percent
  int color_percent;  // of each of the colour cartridge's five inks
  int counter_points;
};

class SequenceTest : public PrinterTest, public ::testing::WithParamInterface<SequenceCase> {
 protected:
  int Counter() { return ReadEeprom(0x1A) * 256 + ReadEeprom(0x1B); }
};

TEST_P(SequenceTest, DrawsInkFromBothCartridgesAndRaisesTheProtectionCounter) {
  const SequenceCase& c = GetParam();
  const int counter = Counter();
  std::vector<int> used;  // black, then cyan, magenta, yellow, light cyan, light magenta
  used.push_back(ReadChip(0x00, 0));
  for (uint8_t ink = 0; ink < 5; ++ink) used.push_back(ReadChip(0x01, ink));
  const int black_cleanings = ReadChip(0x00, 6);
  const int color_cleanings = ReadChip(0x01, 6);

  EXPECT_TRUE(Exchange(CleaningFrame(c.mode)).empty());
  EXPECT_EQ(printer_.MalformedFrames(), 0u);

  EXPECT_EQ(ReadChip(0x00, 0), used[0] + c.black_percent);
  for (uint8_t ink = 0; ink < 5; ++ink) {
    EXPECT_EQ(ReadChip(0x01, ink), used[ink + 1u] + c.color_percent) << "ink " << int{ink};
  }
  EXPECT_EQ(ReadChip(0x00, 6), black_cleanings + 1);
  EXPECT_EQ(ReadChip(0x01, 6), color_cleanings + 1);
  EXPECT_EQ(Counter(), counter + c.counter_points);
  // All of it is kept: a printer opened afresh has the same chips.
  VirtualPrinter reopened(Dir());
  reopened.Feed(ChipReadFrame(0x01, 4), kNow);
  EXPECT_EQ(ReplyValue(reopened.TakeReply(kNow)), used[5] + c.color_percent);
}

// About 1/27 and 1/13 of a new cartridge for a cleaning, 1/10 and 1/5 for the ink charge.
INSTANTIATE_TEST_SUITE_P(Sequences, SequenceTest,
                         ::testing::Values(SequenceCase{"PowerfulCleaning", 0x0A, 4, 8, 190},
                                           SequenceCase{"InkCharge", 0x09, 10, 20, 500}),
                         kCaseName);

using LimitTest = PrinterTest;

TEST_F(LimitTest, InkAndCountersStopAtTheirLimits) {
  Bytes black = ReadFile(Dir() / "chip-black.bin");
  Bytes color = ReadFile(Dir() / "chip-color.bin");
  black[0] = 97;
  black[6] = 255;
  // Nearly empty, empty, full, nearly empty, and a byte a cartridge should not hold.
  std::copy_n(Bytes{95, 100, 0, 93, 101}.begin(), 5, color.begin());
  WriteFile(Dir() / "chip-black.bin", black);
  WriteFile(Dir() / "chip-color.bin", color);
  VirtualPrinter printer(Dir());
  printer.SetEepromByte(0x1A, 32'800 >> 8);
  printer.SetEepromByte(0x1B, 32'800 & 0xFF);

  printer.Feed(CleaningFrame(0x0A), kNow);

  black = ReadFile(Dir() / "chip-black.bin");
  color = ReadFile(Dir() / "chip-color.bin");
  EXPECT_EQ(black[0], 100);
  EXPECT_EQ(black[6], 255);
  EXPECT_EQ(Bytes(color.begin(), color.begin() + 5), (Bytes{100, 100, 8, 100, 101}));
  // The counter stops at the most the waste-ink pad is rated for.
  EXPECT_EQ(printer.Eeprom()[0x1A] * 256 + printer.Eeprom()[0x1B], 32'915);
}

struct SilenceCase {
  const char* name;
  std::optional<int> setting_ms;  // exchange_silence_ms, or the factory's
  int silent_ms;
};

class ExchangeSilenceTest : public PrinterTest,
                            public ::testing::WithParamInterface<SilenceCase> {};

TEST_P(ExchangeSilenceTest, PrinterAnswersNothingAndLosesItsInputUntilTheExchangeEnds) {
  const SilenceCase& c = GetParam();
  if (c.setting_ms) printer_.SetSimulation({.exchange_silence_ms = *c.setting_ms});
  const uint8_t before = printer_.Eeprom()[0x10];
  const milliseconds silence(c.silent_ms);
  const auto during = kNow + silence - milliseconds(1);

  printer_.Feed(Concat({kExchangeFrame, EepromWriteFrame(0x10, 0x77)}), kNow);
  EXPECT_EQ(printer_.DeviceId(kNow), "");
  EXPECT_EQ(printer_.DeviceId(during), "");
  EXPECT_TRUE(printer_.AcceptsInput(during));
  printer_.Feed(EepromWriteFrame(0x10, 0x66), during);
  printer_.Feed(EepromReadFrame(0x10), during);
  EXPECT_TRUE(printer_.TakeReply(kNow + std::chrono::hours(1)).empty());
  EXPECT_EQ(printer_.Eeprom()[0x10], before);
  EXPECT_EQ(ReadFile(Dir() / "capture.prn"), kExchangeFrame);

  EXPECT_NE(printer_.DeviceId(kNow + silence), "");
  printer_.Feed(EepromReadFrame(0x10), kNow + silence);
  EXPECT_EQ(ReplyValue(printer_.TakeReply(kNow + silence)), before);
}

INSTANTIATE_TEST_SUITE_P(Settings, ExchangeSilenceTest,
                         ::testing::Values(SilenceCase{"Factory", std::nullopt, 3000},
                                           SilenceCase{"TenSeconds", 10'000, 10'000}),
                         kCaseName);

using SimulationSettingsTest = PrinterTest;

TEST_F(SimulationSettingsTest, MisalignmentIsReadFromPrinterJsonAndMissingRowsKeepTheirDefault) {
  std::ofstream(Dir() / "printer.json")
      << R"({"model": "320", "bid_misalignment": {"6pl-color": -9}, "exchange_silence_ms": 50})";
  const Simulation loaded = VirtualPrinter(Dir()).GetSimulation();
  Simulation expected;
  expected.bid_misalignment[3] = -9;
  expected.exchange_silence_ms = 50;
  EXPECT_EQ(loaded.bid_misalignment, expected.bid_misalignment);
  EXPECT_EQ(loaded.exchange_silence_ms, 50);
}

TEST_F(SimulationSettingsTest, SimulationOutOfRangeIsRefusedAndNothingChanges) {
  const Bytes before = ReadFile(Dir() / "printer.json");
  EXPECT_THROW(printer_.SetSimulation({.bid_misalignment = {0, 0, 71, 0, 0, 0}}),
               std::invalid_argument);
  EXPECT_THROW(printer_.SetSimulation({.exchange_silence_ms = -1}), std::invalid_argument);
  EXPECT_EQ(ReadFile(Dir() / "printer.json"), before);
  EXPECT_EQ(printer_.GetSimulation().bid_misalignment, Simulation{}.bid_misalignment);
}

}  // namespace
}  // namespace vp::testing
