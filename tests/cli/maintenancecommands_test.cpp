#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/virtualopalctl.h"
#include "tests/support/chipprinter.h"
#include "tests/support/pagestream.h"

namespace opal {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class MaintenanceCommandsTest : public testing::VirtualOpalctlTest {
 protected:
  std::size_t Pages() const {
    const auto pages = printer_dir / "pages";
    if (!std::filesystem::exists(pages)) return 0;
    const std::filesystem::directory_iterator files(pages);
    return static_cast<std::size_t>(std::distance(begin(files), end(files)));
  }
  std::string CapturedText() const { return testing::DecodePageStream(Capture()).Text(); }
};

TEST_F(MaintenanceCommandsTest, SequencesSayWhatTheyStartAndLeaveTheWaitToThePrinter) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  for (const Case& c : std::vector<Case>{
           {{"clean", "--no-wait"},
            "Performing powerful Cleaning (CL1'') now.\nNot waited for: the printer finishes on "
            "its own.\n"},
           {{"ink-charge", "--yes", "--no-wait"},
            "Performing Initial Ink Charge now.\nNot waited for: the printer finishes on its "
            "own.\n"},
           {{"liquid-exchange", "--yes", "--no-wait"},
            "Performing Transportion Liquid Exchange now.\nNot waited for: the printer finishes "
            "on its own.\n"},
       }) {
    const auto run = Run(c.args);
    EXPECT_EQ(run.status, 0) << c.args[0] << run.err;
    EXPECT_EQ(run.out, c.out);
  }
}

TEST_F(MaintenanceCommandsTest, UnansweredQuestionSendsNothing) {
  for (const char* command : {"ink-charge", "liquid-exchange"}) {
    const auto run = Run({command, "--no-wait"}, "y\n");
    EXPECT_EQ(run.status, 2) << command;
    EXPECT_THAT(run.err, HasSubstr("--yes")) << command;
  }
  EXPECT_THAT(Capture(), IsEmpty());
}

TEST_F(MaintenanceCommandsTest, DataResetClearsTheCounterAndTheInkFlags) {
  SetEepromByte(0x1B, 0x42);
  SetEepromByte(0x01, 0x42);
  const auto run = Run({"data-reset"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Reseting data.\nProtection counter & Ink Flag2 are reseted.\nReplace the waste ink "
            "pad\nafter turn off the printer.\n");
  const auto eeprom = Eeprom();
  EXPECT_THAT((std::array{eeprom[0x1A], eeprom[0x1B], eeprom[0x01], eeprom[0x26]}),
              ::testing::ElementsAre(0x00, 0x00, 0x00, 0x05));
}

TEST_F(MaintenanceCommandsTest, ChipReportsShowAsTheFormShowsThem) {
  // opalctl takes today from the computer's clock: a cartridge made in 2090 is still good.
  testing::PrinterWithChips(printer_dir, testing::GoodChip({{12, 90}, {0, 20}}),
                            testing::GoodChip({{12, 90}, {35, 'X'}}));
  const auto unique = Run({"chip", "unique", "black"});
  ASSERT_EQ(unique.status, 0) << unique.err;
  EXPECT_EQ(unique.out,
            " \n   Product company = VELTA\n      Product date = 2090/5/14\n       Effect date = "
            "2092/5/14\nOpen effect period = 6 months\n");
  const auto usage = Run({"chip", "usage", "black"});
  ASSERT_EQ(usage.status, 0) << usage.err;
  EXPECT_THAT(usage.out, StartsWith(" \nInk counter remaining quantity\n        Black = 80%\n"));

  const auto foreign = Run({"chip", "unique", "color"});
  EXPECT_EQ(foreign.status, 1);
  EXPECT_EQ(foreign.err, "The cartridge's chip does not name VELTA as its maker.\n");
  const auto print = Run({"print", "chips", "--no-wait"});
  EXPECT_EQ(print.status, 1);
  EXPECT_EQ(print.out, "All ZLIC info. is printing now.\n");
  EXPECT_EQ(Pages(), 0u);
  EXPECT_EQ(Run({"chip", "unique", "magenta"}).status, 2);
}

TEST_F(MaintenanceCommandsTest, ChipReportsPrintOnOnePage) {
  const auto run = Run({"print", "chips", "--no-wait"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "All ZLIC info. is printing now.\nNot waited for: the printer finishes on its own.\n");
  EXPECT_EQ(Pages(), 1u);
  EXPECT_THAT(CapturedText(), HasSubstr(std::string("Black ZLIC information\0(Unique)\0 ", 33)));
}

TEST_F(MaintenanceCommandsTest, CheckSheetFollowsThePrintersModelAndKeepsItsAlignment) {
  ASSERT_EQ(Run({"--model", "310", "bid", "write", "6pl-black", "-17"}).status, 0);
  const auto before = Eeprom();
  const auto run = Run({"print", "a4"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "A4 pattern is printing now.\nA4 pattern print is completed.\n");
  EXPECT_EQ(Pages(), 3u);
  const auto after = Eeprom();
  EXPECT_TRUE(std::equal(before.begin() + 0x33, before.begin() + 0x39, after.begin() + 0x33));
  EXPECT_THAT(CapturedText(), HasSubstr("    *************** Corvane Opal 310"));

  std::filesystem::remove(printer_dir / "capture.prn");
  ASSERT_EQ(Run({"print", "a4", "--model", "320"}).status, 0);
  EXPECT_THAT(CapturedText(), HasSubstr("    *************** Corvane Opal 320"));
}

}  // namespace
}  // namespace opal
