#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/cli/inprocessopalctl.h"
#include "tests/cli/virtualopalctl.h"

namespace opal {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::vector<char> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class BenchCommandsTest : public testing::VirtualOpalctlTest {
 protected:
  testing::InProcessRun Here(const std::vector<std::string>& args) {
    return testing::RunOpalctlHere(WithPrinter(args), clock);
  }
  testing::FakeClock clock = testing::ClockAtToday();
};

TEST_F(BenchCommandsTest, StatusPassesOnlyWhenThePrinterIsRepaired) {
  const auto broken = Run({"--scenario", "full-waste-pad", "status"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_THAT(broken.out, StartsWith("Scenario: full-waste-pad\nHead label: M3RF5GTPQ2SLJ, "));
  EXPECT_THAT(broken.out, HasSubstr("\nProtection counter: 32915 of 32915, the waste-ink pad is "
                                    "full\n"));
  EXPECT_THAT(broken.out, HasSubstr("\nNot repaired\n"));

  ASSERT_EQ(Run({"counter", "clear", "--yes"}).status, 0);
  const auto repaired = Run({"status"});
  EXPECT_EQ(repaired.status, 0) << repaired.out;
  EXPECT_THAT(repaired.out, HasSubstr("\nProtection counter: 0 of 32915\n"));
  EXPECT_THAT(repaired.out, ::testing::EndsWith("\nRepaired\n"));
}

TEST_F(BenchCommandsTest, StatusOfAFreshPrinterShowsItsBidRowsOff) {
  const auto fresh = Run({"status"});
  EXPECT_EQ(fresh.status, 1);
  EXPECT_EQ(fresh.out, "");
  EXPECT_EQ(fresh.err, "no virtual printer in " + printer_dir.string() + "\n");
  ASSERT_EQ(Run({"device-id"}).status, 0);
  const auto made = Run({"status"});
  EXPECT_EQ(made.status, 1);
  EXPECT_THAT(made.out, HasSubstr("\nBi-D MS Black: 1 off (head 4, stored 3)\n"));
  EXPECT_THAT(made.out, HasSubstr("\nNozzles not firing: none\nInk charge: done\n"));
}

TEST_F(BenchCommandsTest, StatusReadsThePrinterWhileAProgramHoldsIt) {
  vp::VirtualPrinter holder(printer_dir, "320", "new-head");
  ASSERT_TRUE(holder.Claim());
  EXPECT_EQ(Here({"device-id"}).status, 1);  // busy
  const auto status = Here({"status"});
  EXPECT_EQ(status.status, 1);
  EXPECT_THAT(status.out, HasSubstr("\nInk charge: not done\n"));
}

TEST_F(BenchCommandsTest, StatusAndScenarioNeedAVirtualPrinter) {
  std::istringstream in;
  std::ostringstream out, err;
  cli::Console console{in, out, err};
  EXPECT_EQ(cli::RunOpalctl({"--port", "LPT1", "status"}, clock, clock, console), 2);
  EXPECT_EQ(cli::RunOpalctl({"--scenario", "new-head", "status"}, clock, clock, console), 2);
  EXPECT_EQ(Here({"--scenario", "dusty", "status"}).status, 2);
}

TEST_F(BenchCommandsTest, RenderPrintsACaptureAsThePrinterPrintedIt) {
  ASSERT_EQ(Run({"print", "nozzle"}).status, 0);
  const std::filesystem::path pages = temp.path() / "rendered";
  const auto render = Here({"render", (printer_dir / "capture.prn").string(), pages.string()});
  ASSERT_EQ(render.status, 0) << render.err;
  EXPECT_EQ(render.out, "1 page written to " + pages.string() + "\n");
  const auto printed = ReadFile(printer_dir / "pages/page-0001.png");
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(ReadFile(pages / "page-0001.png"), printed);

  const auto again = Here({"render", (printer_dir / "capture.prn").string(), pages.string()});
  EXPECT_EQ(again.status, 0);
  EXPECT_TRUE(std::filesystem::exists(pages / "page-0002.png"));
}

TEST_F(BenchCommandsTest, RenderOfAMissingStreamFailsWithItsName) {
  const auto render = Here({"render", (temp.path() / "none.prn").string(), temp.path().string()});
  EXPECT_EQ(render.status, 1);
  EXPECT_EQ(render.err, (temp.path() / "none.prn").string() + " is no regular file\n");
}

}  // namespace
}  // namespace opal
