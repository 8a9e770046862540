#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>

#include "tests/virtualprinter/printerfixture.h"

namespace vp::testing {
namespace {

using vp::testing::PrintTo;

namespace fs = std::filesystem;
using StateTest = PrinterTest;

TEST_F(StateTest, StateSurvivesARestart) {
  printer_.Feed(EepromWriteFrame(0x1A, 0x5B), kNow);
  printer_.Feed(EepromWriteFrame(0x1B, 0xCC), kNow);
  const auto eeprom = printer_.Eeprom();
  // A trainer may prepare a nearly empty cyan cartridge by editing its chip.
  Bytes chip = ReadFile(Dir() / "chip-color.bin");
  chip[0] = 97;
  std::ofstream(Dir() / "chip-color.bin", std::ios::binary)
      .write(reinterpret_cast<const char*>(chip.data()), static_cast<std::streamsize>(chip.size()));

  VirtualPrinter reopened(Dir(), "310");
  EXPECT_EQ(reopened.Model(), "320");
  EXPECT_EQ(reopened.Eeprom(), eeprom);
  reopened.Feed(ChipReadFrame(0x01, 0), kNow);
  EXPECT_EQ(ReplyValue(reopened.TakeReply(kNow)), 97);
}

TEST_F(StateTest, CaptureKeepsEveryByteAcrossRestarts) {
  const Bytes first = Concat({EepromReadFrame(0x00), Bytes{'a', 'b', 0x0C}});
  const Bytes second = EepromWriteFrame(0x01, 0x02);
  printer_.Feed(first, kNow);
  VirtualPrinter reopened(Dir());
  reopened.Feed(second, kNow);
  EXPECT_EQ(ReadFile(Dir() / "capture.prn"), Concat({first, second}));
}

TEST_F(StateTest, WritesLeaveOnlyWholeFilesBehind) {
  for (int i = 0; i < 64; ++i) {
    printer_.Feed(EepromWriteFrame(static_cast<uint8_t>(i), static_cast<uint8_t>(i * 3)), kNow);
    printer_.SetFaults({.reply_delay_ms = i});
    ASSERT_EQ(fs::file_size(Dir() / "eeprom.bin"), 256u);
  }
  const auto eeprom = printer_.Eeprom();
  EXPECT_EQ(ReadFile(Dir() / "eeprom.bin"), Bytes(eeprom.begin(), eeprom.end()));
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(Dir())) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"capture.prn", "chip-black.bin", "chip-color.bin",
                                          "eeprom.bin", "pages", "printer.json"}));
}

TEST(StateDirectory, EmptyDirectoryBecomesAPrinter) {
  opal::testing::TempDir temp;
  VirtualPrinter printer(temp.path(), "310");
  EXPECT_EQ(printer.Model(), "310");
  EXPECT_TRUE(fs::is_directory(temp.path() / "pages"));
  EXPECT_EQ(fs::file_size(temp.path() / "chip-black.bin"), 256u);
}

struct BrokenCase {
  const char* name;
  std::function<void(const fs::path&)> damage;
  const char* named_in_message;
};

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file) << text;
}

// Damage that puts `text` in place of printer.json.
std::function<void(const fs::path&)> SettingsOf(std::string text) {
  return [text](const fs::path& dir) { Write(dir / "printer.json", text); };
}

class BrokenDirectoryTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenDirectoryTest, IsRefusedWithAMessageNamingTheFile) {
  opal::testing::TempDir temp;
  const fs::path dir = temp.path() / "printer";
  { VirtualPrinter fresh(dir); }
  GetParam().damage(dir);
  try {
    VirtualPrinter printer(dir);
    ADD_FAILURE() << "opened a damaged printer";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().named_in_message), std::string::npos)
        << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Damage, BrokenDirectoryTest,
    ::testing::Values(
        BrokenCase{"TruncatedEeprom",
                   [](const fs::path& dir) { fs::resize_file(dir / "eeprom.bin", 255); },
                   "eeprom.bin"},
        BrokenCase{"OversizedChip",
                   [](const fs::path& dir) { fs::resize_file(dir / "chip-color.bin", 257); },
                   "chip-color.bin"},
        BrokenCase{"MissingChip", [](const fs::path& dir) { fs::remove(dir / "chip-black.bin"); },
                   "chip-black.bin"},
        BrokenCase{"MissingSettings", [](const fs::path& dir) { fs::remove(dir / "printer.json"); },
                   "printer.json"},
        BrokenCase{"SettingsNotJson", SettingsOf("{\"model\": "), "printer.json"},
        BrokenCase{"SettingsNotAnObject", SettingsOf("[1, 2]"), "printer.json"},
        BrokenCase{"UnknownModel", SettingsOf(R"({"model": "330"})"), "330"},
        BrokenCase{"FlagNotBoolean", SettingsOf(R"({"model": "310", "faults": {"silent": 1}})"),
                   "printer.json"},
        BrokenCase{"NegativeDelay",
                   SettingsOf(R"({"model": "310", "faults": {"reply_delay_ms": -5}})"),
                   "reply_delay_ms"},
        BrokenCase{"MisalignmentBeyondAnyBidValue",
                   SettingsOf(R"({"model": "310", "bid_misalignment": {"4pl-black": -71}})"),
                   "4pl-black"},
        BrokenCase{"MisalignmentOfAnUnknownRow",
                   SettingsOf(R"({"model": "310", "bid_misalignment": {"ms-blak": 1}})"),
                   "ms-blak"},
        BrokenCase{"SilenceNotAWholeNumber",
                   SettingsOf(R"({"model": "310", "exchange_silence_ms": "3s"})"),
                   "exchange_silence_ms"},
        BrokenCase{"FractionalDelay",
                   SettingsOf(R"({"model": "310", "faults": {"reply_delay_ms": 2.5}})"),
                   "reply_delay_ms"},
        BrokenCase{"PowerOffBelowNever",
                   SettingsOf(R"({"model": "310", "faults": {"power_off_after_bytes": -2}})"),
                   "power_off_after_bytes"},
        BrokenCase{"PowerOffBeyondAnyCount",
                   SettingsOf(R"({"model": "310", "faults": {"power_off_after_bytes": )"
                              R"(18446744073709551615}})"),
                   "power_off_after_bytes"},
        BrokenCase{"DeviceIdNotText", SettingsOf(R"({"model": "310", "device_id": 5})"),
                   "device_id"},
        BrokenCase{"SettingsNestedFarTooDeep",
                   SettingsOf(R"({"model": "310", "kept": )" + std::string(200'000, '[') +
                              std::string(200'000, ']') + "}"),
                   "printer.json: nests deeper than"}),
    kCaseName);

TEST(StateDirectory, UnusablePlacesAreRefused) {
  opal::testing::TempDir temp;
  Write(temp.path() / "file", "x");
  EXPECT_THROW(VirtualPrinter(temp.path() / "file"), std::runtime_error);
  EXPECT_THROW(VirtualPrinter(temp.path() / "new", "330"), std::runtime_error);
  EXPECT_FALSE(fs::exists(temp.path() / "new" / "printer.json"));
}

// --- factory-fresh contents -------------------------------------------------------------------

struct IdentityCase {
  const char* name;
  const char* model;
  uint8_t variant;
  std::string identity;  // 0x60-0x6F
};

class FreshIdentityTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(FreshIdentityTest, ModelBytesMatchTheModel) {
  opal::testing::TempDir temp;
  VirtualPrinter printer(temp.path(), GetParam().model);
  const auto eeprom = printer.Eeprom();
  EXPECT_EQ(eeprom[0x5E], GetParam().variant);
  EXPECT_EQ(std::string(eeprom.begin() + 0x60, eeprom.begin() + 0x70), GetParam().identity);
  EXPECT_TRUE(std::all_of(eeprom.begin() + 0x70, eeprom.begin() + 0x7E,
                          [](uint8_t byte) { return byte == 0; }));
}

INSTANTIATE_TEST_SUITE_P(
    Models, FreshIdentityTest,
    ::testing::Values(IdentityCase{"Opal310", "310", 0x02, "Corvane Opal 310"},
                      IdentityCase{"Opal320", "320", 0x00, std::string(16, '\0')},
                      IdentityCase{"QX310C", "QX-310C", 0x01,
                                   std::string("QX-310C") + std::string(9, '\0')}),
    kCaseName);

using FreshTest = PrinterTest;

TEST_F(FreshTest, HeadIdIsOneTheProgramAccepts) {
  // Positions 1 to 12: where each is kept and the values its symbols can have.
  struct Position {
    uint8_t address;
    int low;
    int high;
  };
  constexpr Position kPositions[] = {{0x3F, 1, 32},  {0x45, 0, 6},   {0x40, 1, 37},
                                     {0x41, 1, 34},  {0x42, 1, 40},  {0x43, 1, 34},
                                     {0x44, 1, 34},  {0x47, 32, 68}, {0x4A, 32, 68},
                                     {0x48, 32, 68}, {0x4B, 32, 68}, {0x49, 32, 68}};
  const auto eeprom = printer_.Eeprom();
  for (const Position& position : kPositions) {
    EXPECT_GE(eeprom[position.address], position.low) << std::hex << int{position.address};
    EXPECT_LE(eeprom[position.address], position.high) << std::hex << int{position.address};
  }
  int sum = 0;
  for (int address = 0x46; address <= 0x4B; ++address) sum += eeprom[address];
  EXPECT_EQ(sum % 256, 0x2C);
}

TEST_F(FreshTest, BidUsbIdAndCounterAreSet) {
  const auto eeprom = printer_.Eeprom();
  for (int address = 0x33; address <= 0x38; ++address) {
    const auto value = static_cast<int8_t>(eeprom[address]);
    EXPECT_TRUE(value >= -70 && value <= 70) << std::hex << address;
  }
  const std::string usb_id(eeprom.begin() + 0x4C, eeprom.begin() + 0x5E);
  EXPECT_TRUE(std::all_of(usb_id.begin(), usb_id.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'Z');
  })) << usb_id;
  EXPECT_TRUE(usb_id[16] >= '0' && usb_id[16] <= '3') << usb_id;  // halves flags
  EXPECT_EQ(usb_id[17], '0') << usb_id;
  EXPECT_GT(eeprom[0x1A] * 256 + eeprom[0x1B], 0);
}

TEST_F(FreshTest, ChipsAreTheMakersAndInDate) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  using namespace std::chrono;
  const year_month_day today{year{local.tm_year + 1900}, month(local.tm_mon + 1),
                             day(local.tm_mday)};
  for (const uint8_t chip : {0x00, 0x01}) {
    SCOPED_TRACE(chip == 0 ? "black" : "colour");
    std::string maker;
    for (uint8_t address = 35; address <= 39; ++address) maker += ReadChip(chip, address);
    EXPECT_EQ(maker, "VELTA");
    const year_month_day made{year{2000 + ReadChip(chip, 12)}, month(ReadChip(chip, 13)),
                              day(ReadChip(chip, 14))};
    EXPECT_TRUE(made.ok());
    EXPECT_LE(sys_days(made), sys_days(today));
    const year_month effective = year_month(made.year(), made.month()) + months(ReadChip(chip, 28));
    EXPECT_GT(effective, year_month(today.year(), today.month()));
    for (uint8_t ink = 0; ink < (chip == 0 ? 1 : 5); ++ink) EXPECT_LE(ReadChip(chip, ink), 100);
  }
}

}  // namespace
}  // namespace vp::testing
