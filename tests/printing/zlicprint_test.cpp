#include "printing/zlicprint.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/chipprinter.h"
#include "tests/support/tempdir.h"

namespace opal {
namespace {

using std::string_literals::operator""s;

class ChipReportPrintTest : public ::testing::Test {
 protected:
  // What reached the printer of the page itself, without the service frames.
  std::string Page() const {
    std::string page;
    for (const testing::Frame& frame : link.gate.frames) {
      if (frame.size() > 1 && frame[0] == 0x1B && frame[1] == 0x7C) continue;
      page.append(frame.begin(), frame.end());
    }
    return page;
  }

  testing::TempDir temp;
  testing::ChipPrinter link{temp.path() / "printer", testing::GoodChip({{0, 30}}),
                            testing::GoodChip({{35, 'X'}})};
  TRasterPrinter raster{link.port, link.exit};
};

TEST_F(ChipReportPrintTest, ReportsPrintUnderTheirHeadingsOnAPageOfTheirOwn) {
  const ChipReports reports{"bu", "bs", "cu", "cs"};
  ASSERT_EQ(SendChipReports(raster, reports), PORT_OK);
  EXPECT_EQ(Page(),
            "Black ZLIC information\0\r\n\r\n(Unique)\0bu\r\n\r\n(Usage)\0bs\r\n\r\n\r\n"
            "Color ZLIC information\0\r\n\r\n(Unique)\0cu\r\n\r\n(Usage)\0cs\r\n\r\n\r\n\f"s);
}

TEST_F(ChipReportPrintTest, LostWriteStopsThePageThere) {
  struct Case {
    std::string lost;
    std::string page;
  };
  for (const Case& c : std::vector<Case>{
           {"\r\n", "Black ZLIC information\0"s},
           // The page's last line feeds go out with its form feed, in one write.
           {"\f",
            "Black ZLIC information\0\r\n\r\n(Unique)\0u\r\n\r\n(Usage)\0s\r\n\r\n\r\n"
            "Color ZLIC information\0\r\n\r\n(Unique)\0u\r\n\r\n(Usage)\0s"s},
       }) {
    link.gate = {};
    // The write that begins or ends with these bytes is lost.
    link.flaw.drops = [&c](std::span<const uint8_t> bytes) {
      const std::string written(bytes.begin(), bytes.end());
      return written.starts_with(c.lost) || written.ends_with(c.lost);
    };
    EXPECT_EQ(SendChipReports(raster, {"u", "s", "u", "s"}), ERR_SEND_COUNT);
    EXPECT_EQ(Page(), c.page);
  }
}

TEST_F(ChipReportPrintTest, NothingIsPrintedUnlessEveryReportCanBeRead) {
  TZlic zlic(link.command, link.clock);
  EXPECT_EQ(PrintAllChipInfo(raster, zlic), ERR_CHIP_MAKER);
  EXPECT_EQ(Page(), "");
  EXPECT_EQ(link.ChipReads().size(), 13u + 4u + 13u);
}

}  // namespace
}  // namespace opal
