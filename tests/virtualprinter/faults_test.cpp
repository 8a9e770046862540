#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "tests/virtualprinter/printerfixture.h"

namespace vp::testing {
namespace {

using vp::testing::PrintTo;

using FaultsTest = PrinterTest;
using std::chrono::milliseconds;

const std::string kReply5E = "@BDC PS\r\nEE5E:00\r\n";

TEST_F(FaultsTest, SilentPrinterHasNoDeviceIdAndIgnoresEverything) {
  printer_.SetFaults({.silent = true});
  EXPECT_EQ(printer_.DeviceId(kNow), "");
  EXPECT_TRUE(printer_.AcceptsInput(kNow));
  printer_.Feed(EepromWriteFrame(0x10, 0x77), kNow);
  printer_.Feed(EepromReadFrame(0x10), kNow);
  EXPECT_TRUE(printer_.TakeReply(kNow + std::chrono::hours(1)).empty());
  EXPECT_NE(printer_.Eeprom()[0x10], 0x77);
  EXPECT_TRUE(ReadFile(Dir() / "capture.prn").empty());
}

TEST_F(FaultsTest, SwitchingOffLosesHalfReceivedFramesAndUnsentReplies) {
  printer_.Feed(EepromReadFrame(0x5E), kNow);
  const Bytes write = EepromWriteFrame(0x10, 0x77);
  printer_.Feed(std::span(write).first(6), kNow);
  printer_.SetFaults({.silent = true});
  printer_.SetFaults({});
  printer_.Feed(std::span(write).subspan(6), kNow);
  EXPECT_TRUE(printer_.TakeReply(kNow).empty());
  EXPECT_NE(printer_.Eeprom()[0x10], 0x77);
  EXPECT_EQ(Text(Exchange(EepromReadFrame(0x5E))), kReply5E);
}

TEST_F(FaultsTest, DelayedReplyComesWhenDueAndNotBefore) {
  printer_.SetFaults({.reply_delay_ms = 250});
  printer_.Feed(EepromReadFrame(0x5E), kNow);
  EXPECT_TRUE(printer_.TakeReply(kNow + milliseconds(249)).empty());
  EXPECT_EQ(Text(printer_.TakeReply(kNow + milliseconds(250))), kReply5E);
  EXPECT_TRUE(printer_.TakeReply(kNow + milliseconds(251)).empty());
}

TEST_F(FaultsTest, ShortReplyLosesItsLastByte) {
  printer_.SetFaults({.short_reply = true});
  EXPECT_EQ(Text(Exchange(EepromReadFrame(0x5E))), kReply5E.substr(0, 17));
}

TEST_F(FaultsTest, CorruptReplyHasAnotherHeader) {
  printer_.SetFaults({.corrupt_reply = true});
  const std::string reply = Text(Exchange(EepromReadFrame(0x5E)));
  EXPECT_EQ(reply.size(), 18u);
  EXPECT_NE(reply.substr(0, 7), "@BDC PS");
}

TEST_F(FaultsTest, StalledInputTakesNothingUntilReleased) {
  printer_.SetFaults({.stall_input = true});
  EXPECT_FALSE(printer_.AcceptsInput(kNow));
  printer_.Feed(EepromReadFrame(0x5E), kNow);
  EXPECT_TRUE(printer_.TakeReply(kNow).empty());
  EXPECT_NE(printer_.DeviceId(kNow), "");
  printer_.SetFaults({});
  EXPECT_TRUE(printer_.AcceptsInput(kNow));
  EXPECT_EQ(Text(Exchange(EepromReadFrame(0x5E))), kReply5E);
}

TEST_F(FaultsTest, FaultsSurviveARestartAndOtherSettingsAreKept) {
  auto settings = nlohmann::json::parse(Text(ReadFile(Dir() / "printer.json")));
  settings["simulation"] = {{"misalignment", 7}};
  std::ofstream(Dir() / "printer.json") << settings.dump();
  const Faults faults{.silent = true,
                      .reply_delay_ms = 40,
                      .short_reply = true,
                      .corrupt_reply = true,
                      .stall_input = true};
  {
    VirtualPrinter printer(Dir());
    printer.SetFaults(faults);
  }
  VirtualPrinter reopened(Dir());
  const Faults loaded = reopened.GetFaults();
  EXPECT_TRUE(loaded.silent && loaded.short_reply && loaded.corrupt_reply && loaded.stall_input);
  EXPECT_EQ(loaded.reply_delay_ms, 40);
  EXPECT_EQ(nlohmann::json::parse(Text(ReadFile(Dir() / "printer.json")))["simulation"],
            settings["simulation"]);
}

TEST_F(FaultsTest, FaultsWrittenByHandAreReadAndMissingOnesAreOff) {
  std::ofstream(Dir() / "printer.json") << R"({"model": "320", "faults": {"reply_delay_ms": 90}})";
  VirtualPrinter printer(Dir());
  const Faults faults = printer.GetFaults();
  EXPECT_EQ(faults.reply_delay_ms, 90);
  EXPECT_FALSE(faults.silent || faults.short_reply || faults.corrupt_reply || faults.stall_input);
}

TEST_F(FaultsTest, NegativeDelayIsRefusedAndNothingChanges) {
  const Bytes before = ReadFile(Dir() / "printer.json");
  EXPECT_THROW(printer_.SetFaults({.reply_delay_ms = -1}), std::invalid_argument);
  EXPECT_EQ(ReadFile(Dir() / "printer.json"), before);
  EXPECT_EQ(printer_.GetFaults().reply_delay_ms, 0);
}

// Splits "KEY:value;KEY:value;" into its fields.
std::map<std::string, std::string> DeviceIdFields(const std::string& text) {
  std::map<std::string, std::string> fields;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t colon = text.find(':', start);
    const std::size_t end = text.find(';', start);
    if (colon == std::string::npos || end == std::string::npos || colon > end) break;
    fields[text.substr(start, colon - start)] = text.substr(colon + 1, end - colon - 1);
    start = end + 1;
  }
  EXPECT_EQ(start, text.size()) << text;
  return fields;
}

struct DeviceIdCase {
  const char* name;
  const char* model;
  const char* mdl;
};

class DeviceIdTest : public ::testing::TestWithParam<DeviceIdCase> {};

TEST_P(DeviceIdTest, NamesTheModelAndNoOther) {
  opal::testing::TempDir temp;
  VirtualPrinter printer(temp.path(), GetParam().model);
  const std::string text = printer.DeviceId(kNow);
  const auto fields = DeviceIdFields(text);
  for (const char* key : {"MFG", "CMD", "MDL", "CLS", "DES"}) {
    EXPECT_FALSE(fields.count(key) == 0 || fields.at(key).empty()) << key << " in " << text;
  }
  EXPECT_EQ(fields.count("MDL") ? fields.at("MDL") : "", GetParam().mdl);
  // The program takes the first of these names that it finds anywhere in the text.
  for (const char* other : {"Corvane Opal 320", "Corvane Opal 310", "QX-310C"}) {
    EXPECT_EQ(text.find(other) != std::string::npos, other == std::string(GetParam().mdl))
        << other << " in " << text;
  }
  EXPECT_LT(text.size(), 198u);  // fits the 200-byte answer with its length prefix
}

INSTANTIATE_TEST_SUITE_P(Models, DeviceIdTest,
                         ::testing::Values(DeviceIdCase{"Opal320", "320", "Corvane Opal 320"},
                                           DeviceIdCase{"Opal310", "310", "Corvane Opal 310"},
                                           DeviceIdCase{"QX310C", "QX-310C", "QX-310C"}),
                         kCaseName);

}  // namespace
}  // namespace vp::testing
