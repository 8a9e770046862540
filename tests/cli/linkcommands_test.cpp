#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/runprogram.h"
#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class OpalctlTest : public ::testing::Test {
 protected:
  testing::ProgramRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--virtual", printer_dir.string()});
    return testing::RunProgram(OPALCTL_PATH, args);
  }
  std::vector<uint8_t> Capture() {
    std::ifstream in(printer_dir / "capture.prn", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  testing::TempDir temp;
  std::filesystem::path printer_dir = temp.path() / "printer";
};

TEST_F(OpalctlTest, WrittenByteIsReadBackAndReachesThePrinterAsOneFrame) {
  const auto write = Run({"eeprom", "write", "5E", "02"});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_EQ(write.out, "Address = 5E\nData = 02\n");

  const auto read = Run({"eeprom", "read", "5e", "5E"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, "50:" + std::string(14 * 3, ' ') + " 02   \n");

  const std::vector<uint8_t> frame{0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06,
                                   0x31, 0x42, 0xBD, 0x21, 0x5E, 0x02};
  const auto capture = Capture();
  EXPECT_NE(std::search(capture.begin(), capture.end(), frame.begin(), frame.end()), capture.end());
}

TEST_F(OpalctlTest, RangeReadPrintsEveryRowItTouches) {
  const auto read = Run({"eeprom", "read", "0E", "21"});
  ASSERT_EQ(read.status, 0) << read.err;
  std::istringstream lines(read.out);
  std::string first, second, third, extra;
  std::getline(lines, first);
  std::getline(lines, second);
  std::getline(lines, third);
  EXPECT_FALSE(std::getline(lines, extra));
  EXPECT_THAT(first, StartsWith("00:" + std::string(14 * 3, ' ') + " "));
  EXPECT_EQ(second.size(), 3u + 16 * 3);
  EXPECT_THAT(third, StartsWith("20: "));
  EXPECT_EQ(third.substr(3 + 2 * 3), std::string(14 * 3, ' '));
}

TEST_F(OpalctlTest, DeviceIdNamesTheModel) {
  const auto run = Run({"device-id"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("MDL:Corvane Opal 320"));
  EXPECT_THAT(run.out, HasSubstr("\nCurrent Printer ID is Corvane Opal 320.\n"));
}

TEST_F(OpalctlTest, BadInputSendsNothing) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"eeprom", "read", "10", "0F"},
                                                                {"eeprom", "read", "G0", "10"},
                                                                {"eeprom", "write", "5", "02"}}) {
    const auto run = Run(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Input data is wrong.\n");
  }
  EXPECT_TRUE(Capture().empty());
}

TEST_F(OpalctlTest, IdentityRewritesTheModelBytes) {
  ASSERT_EQ(Run({"identity", "310"}).status, 0);
  vp::VirtualPrinter printer(printer_dir);
  const auto eeprom = printer.Eeprom();
  EXPECT_EQ(eeprom[0x5E], 0x02);
  EXPECT_EQ(std::string(eeprom.begin() + 0x60, eeprom.begin() + 0x70), "Corvane Opal 310");
}

TEST_F(OpalctlTest, SilentPrinterEndsWithStatusThree) {
  { vp::VirtualPrinter(printer_dir).SetFaults({.silent = true}); }
  const auto run = Run({"eeprom", "read", "00", "00"});
  EXPECT_EQ(run.status, 3);
  EXPECT_THAT(run.err, StartsWith("Printer is error or power off status."));
}

TEST_F(OpalctlTest, FailingReplyIsReported) {
  { vp::VirtualPrinter(printer_dir).SetFaults({.corrupt_reply = true}); }
  const auto run = Run({"eeprom", "read", "00", "00"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Receive error\n");
}

TEST(OpalctlHardware, MissingPortsEndWithStatusThree) {
  if (std::filesystem::exists("/dev/lp0") || std::filesystem::exists("/dev/usb/lp0")) {
    GTEST_SKIP() << "this machine has a printer port";
  }
  for (const char* port : {"LPT1", "VLUSB1:"}) {
    const auto run = testing::RunProgram(OPALCTL_PATH, {"--port", port, "device-id"});
    EXPECT_EQ(run.status, 3) << port;
    EXPECT_THAT(run.err,
                HasSubstr(std::string(port) == "LPT1" ? "power off" : "Cannot open port."));
  }
}

TEST(OpalctlUsage, MissingPrinterChoiceIsAUsageError) {
  EXPECT_EQ(testing::RunProgram(OPALCTL_PATH, {"device-id"}).status, 2);
  EXPECT_EQ(testing::RunProgram(OPALCTL_PATH, {"--port", "COM1", "device-id"}).status, 2);
}

}  // namespace
}  // namespace opal
