#include "cli/portscommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/inprocessopalctl.h"

namespace opal::cli {
namespace {

using ::testing::StartsWith;

TEST(PortLineTest, SaysWhatAnswersOrWhyNothingDoes) {
  UsbPrinter printer;
  printer.bus_path = "1-2";
  printer.vendor = 0xf1e2;
  printer.product = 0x0005;
  printer.product_name = "Opal\x1b[2J";
  struct Case {
    PortReport report;
    std::string line;
  };
  const std::vector<Case> cases{
      {{"LPT1", std::nullopt, "MFG:VELTA;MDL:Corvane Opal 310;", ""},
       "LPT1     Corvane Opal 310 (MFG VELTA, MDL Corvane Opal 310)"},
      {{"VLUSB1:", printer, "MFG:Other;MDL:Laser 9;", ""},
       "VLUSB1:  a printer of another model (MFG Other, MDL Laser 9); "
       "Opal\\x1B[2J (USB 1-2, f1e2:0005)"},
      {{"VLUSB2:", printer, "", "cannot be reached: /dev/bus/usb/001/005: Permission denied"},
       "VLUSB2:  Opal\\x1B[2J (USB 1-2, f1e2:0005); cannot be reached: /dev/bus/usb/001/005: "
       "Permission denied"},
      {{"VLUSB3:", std::nullopt, "", "no printer"}, "VLUSB3:  no printer"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PortLine(c.report), c.line);
  }
}

TEST(PortsCommandTest, ListsTheSixPortsOfThisMachineWithoutAPrinterChosen) {
  auto clock = testing::ClockAtToday();
  const testing::InProcessRun run = testing::RunOpalctlHere({"ports"}, clock);
  EXPECT_EQ(run.status, kDone) << run.err;
  std::istringstream lines(run.out);
  std::vector<std::string> ports;
  for (std::string line; std::getline(lines, line);) ports.push_back(line);
  ASSERT_EQ(ports.size(), 6u) << run.out;
  const std::vector<std::string> names{"LPT1 ",    "LPT2 ",    "LPT3 ",
                                       "VLUSB1: ", "VLUSB2: ", "VLUSB3: "};
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_THAT(ports[i], StartsWith(names[i]));
}

}  // namespace
}  // namespace opal::cli
