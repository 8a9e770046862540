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
                      .stall_input = true,
                      .ignore_writes = true,
                      .fail_reads = true,
                      .power_off_after_bytes = 7};
  {
    VirtualPrinter printer(Dir());
    printer.SetFaults(faults);
  }
  VirtualPrinter reopened(Dir());
  const Faults loaded = reopened.GetFaults();
  EXPECT_TRUE(loaded.silent && loaded.short_reply && loaded.corrupt_reply && loaded.stall_input &&
              loaded.ignore_writes && loaded.fail_reads);
  EXPECT_EQ(loaded.reply_delay_ms, 40);
  EXPECT_EQ(loaded.power_off_after_bytes, 7);
  EXPECT_EQ(nlohmann::json::parse(Text(ReadFile(Dir() / "printer.json")))["simulation"],
            settings["simulation"]);
}

TEST_F(FaultsTest, FaultsWrittenByHandAreReadAndMissingOnesAreOff) {
  std::ofstream(Dir() / "printer.json")
      << R"({"model": "320", "faults": {"reply_delay_ms": 90, "fail_reads": true}})";
  VirtualPrinter printer(Dir());
  const Faults faults = printer.GetFaults();
  EXPECT_EQ(faults.reply_delay_ms, 90);
  EXPECT_TRUE(faults.fail_reads);
  EXPECT_FALSE(faults.silent || faults.short_reply || faults.corrupt_reply || faults.stall_input ||
               faults.ignore_writes);
  EXPECT_EQ(faults.power_off_after_bytes, -1);
}

TEST_F(FaultsTest, OutOfRangeFaultsAreRefusedAndNothingChanges) {
  const Bytes before = ReadFile(Dir() / "printer.json");
  EXPECT_THROW(printer_.SetFaults({.reply_delay_ms = -1}), std::invalid_argument);
  EXPECT_THROW(printer_.SetFaults({.power_off_after_bytes = -2}), std::invalid_argument);
  EXPECT_EQ(ReadFile(Dir() / "printer.json"), before);
  EXPECT_EQ(printer_.GetFaults().reply_delay_ms, 0);
  EXPECT_EQ(printer_.GetFaults().power_off_after_bytes, -1);
}

// A write of 0x77 over 0x42 at 0x10 and a read of it (12 + 11 bytes) under each fault.
struct ByteLevelCase {
  const char* name;
  Faults faults;
  std::string reply;
  uint8_t stored;
  std::size_t captured;
  bool answers_device_id;
};

class ByteLevelFaultTest : public PrinterTest,
                           public ::testing::WithParamInterface<ByteLevelCase> {};

TEST_P(ByteLevelFaultTest, AnswersStoresAndTakesInWhatTheFaultAllows) {
  const ByteLevelCase& c = GetParam();
  printer_.SetEepromByte(0x10, 0x42);
  printer_.SetFaults(c.faults);
  printer_.Feed(Concat({EepromWriteFrame(0x10, 0x77), EepromReadFrame(0x10)}), kNow);
  EXPECT_EQ(Text(printer_.TakeReply(kNow)), c.reply);
  EXPECT_EQ(printer_.Eeprom()[0x10], c.stored);
  EXPECT_EQ(ReadFile(Dir() / "eeprom.bin")[0x10], c.stored);
  EXPECT_EQ(ReadFile(Dir() / "capture.prn").size(), c.captured);
  EXPECT_EQ(!printer_.DeviceId(kNow).empty(), c.answers_device_id);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ByteLevelFaultTest,
    ::testing::Values(
        ByteLevelCase{"None", {}, "@BDC PS\r\nEE10:77\r\n", 0x77, 23, true},
        ByteLevelCase{
            "IgnoreWrites", {.ignore_writes = true}, "@BDC PS\r\nEE10:42\r\n", 0x42, 23, true},
        ByteLevelCase{"FailReads", {.fail_reads = true}, "", 0x77, 23, true},
        ByteLevelCase{"PowerOffWithinTheWrite", {.power_off_after_bytes = 5}, "", 0x42, 5, false},
        ByteLevelCase{
            "PowerOffRightAfterTheWrite", {.power_off_after_bytes = 12}, "", 0x77, 12, false},
        // The reply was due as the power went: it is lost with it.
        ByteLevelCase{
            "PowerOffRightAfterTheRead", {.power_off_after_bytes = 23}, "", 0x77, 23, false},
        ByteLevelCase{"PowerOffNotYetDue",
                      {.power_off_after_bytes = 24},
                      "@BDC PS\r\nEE10:77\r\n",
                      0x77,
                      23,
                      true},
        ByteLevelCase{"Silent", {.silent = true}, "", 0x42, 0, false}),
    kCaseName);

TEST_F(FaultsTest, IgnoredWritesAlsoLeaveTheBidValuesAlone) {
  const auto before = printer_.Eeprom();
  printer_.SetFaults({.ignore_writes = true});
  // Bi-D values +5 for the MS black and colour slots.
  printer_.Feed(Bytes{0x1B, 0x7C, 0x00, 0x0A, 0x00, 0x06, 0x31, 0x00, 0xFF, 0x00, 0x01, 0x05, 0x00,
                      0x05, 0x00},
                kNow);
  EXPECT_EQ(printer_.MalformedFrames(), 0u);
  EXPECT_EQ(printer_.Eeprom(), before);
}

TEST_F(FaultsTest, FailedReadsLeaveChipReadsUnansweredToo) {
  printer_.SetFaults({.fail_reads = true});
  printer_.Feed(ChipReadFrame(0x00, 35), kNow);
  EXPECT_TRUE(printer_.TakeReply(kNow + std::chrono::hours(1)).empty());
}

TEST_F(FaultsTest, PrinterThatPoweredOffStaysOffForTheNextProgram) {
  printer_.SetFaults({.power_off_after_bytes = 3});
  printer_.Feed(EepromReadFrame(0x5E), kNow);
  EXPECT_TRUE(printer_.GetFaults().silent);
  EXPECT_EQ(printer_.GetFaults().power_off_after_bytes, -1);
  VirtualPrinter next(Dir());
  EXPECT_TRUE(next.GetFaults().silent);
  EXPECT_EQ(next.DeviceId(kNow), "");
}

TEST_F(FaultsTest, BytesLeftBeforePowerOffAreHandedOnWithThePrinter) {
  printer_.SetFaults({.power_off_after_bytes = 100});
  ASSERT_TRUE(printer_.Claim());
  printer_.Feed(EepromReadFrame(0x5E), kNow);
  EXPECT_EQ(printer_.GetFaults().power_off_after_bytes, 89);
  printer_.Release();
  VirtualPrinter next(Dir());
  EXPECT_EQ(next.GetFaults().power_off_after_bytes, 89);
  EXPECT_FALSE(next.GetFaults().silent);
}

TEST_F(FaultsTest, DeviceIdSettingReplacesTheAnswerWhileThePrinterIsOn) {
  std::ofstream(Dir() / "printer.json") << R"({"model": "320", "device_id": "MFG:X;MDL:Y;"})";
  VirtualPrinter printer(Dir());
  EXPECT_EQ(printer.DeviceId(kNow), "MFG:X;MDL:Y;");
  printer.SetFaults({.silent = true});
  EXPECT_EQ(printer.DeviceId(kNow), "");
  printer.SetFaults({});
  const std::string long_id(300, 'x');
  printer.SetSimulation({.device_id = long_id});
  EXPECT_EQ(VirtualPrinter(Dir()).DeviceId(kNow), long_id);
  printer.SetSimulation({});
  EXPECT_NE(printer.DeviceId(kNow).find("MDL:Corvane Opal 320;"), std::string::npos);
  EXPECT_THROW(printer.SetSimulation({.device_id = std::string(65'534, 'x')}),
               std::invalid_argument);
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
