#include "maintenance/zlic.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/chipprinter.h"
#include "tests/support/tempdir.h"

namespace opal {
namespace {

using testing::ChipBytes;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::GoodChip;

class ChipTest : public ::testing::Test {
 protected:
  // A printer of its own for each case, its chips as given.
  testing::ChipPrinter& Printer(const ChipBytes& black, const ChipBytes& color = {}) {
    const auto dir = temp.path() / std::to_string(printers_.size());
    printers_.push_back(
        std::make_unique<testing::ChipPrinter>(dir, GoodChip(black), GoodChip(color)));
    return *printers_.back();
  }

  testing::TempDir temp;

 private:
  std::vector<std::unique_ptr<testing::ChipPrinter>> printers_;
};

TEST_F(ChipTest, UniqueReportReadsInThePrintersOrder) {
  auto& printer = Printer({});
  TZlic zlic(printer.command, printer.clock);
  std::string report;
  ASSERT_EQ(zlic.ReadChipUniqueInfo(INK_COLOR, report), PORT_OK);
  EXPECT_EQ(report,
            " \r\n   Product company = VELTA\r\n      Product date = 2023/5/14\r\n       Effect "
            "date = 2025/5/14\r\nOpen effect period = 6 months");
  EXPECT_THAT(printer.ChipReads(), ElementsAre(35, 36, 37, 38, 39, 12, 13, 14, 28, 12, 13, 14, 29));
  for (const auto& frame : printer.gate.frames) EXPECT_EQ(frame.at(10), 0x01);
}

TEST_F(ChipTest, EffectDateAddsMonthsAndKeepsTheDayInsideTheMonth) {
  struct Case {
    uint8_t year, month, day, months;
    std::string product, effect;
  };
  for (const Case& c : std::vector<Case>{
           {99, 12, 15, 1, "1999/12/15", "2000/1/15"},
           {3, 1, 31, 1, "2003/1/31", "2003/2/28"},
           {4, 1, 31, 1, "2004/1/31", "2004/2/29"},
           {3, 3, 31, 1, "2003/3/31", "2003/4/30"},
           {0, 12, 31, 14, "2000/12/31", "2002/2/28"},
           {0, 2, 29, 0, "2000/2/29", "2000/2/29"},
           // Counted from the product year itself, past the chip's two digits.
           {98, 6, 10, 12, "2098/6/10", "2099/6/10"},
           {99, 1, 1, 36, "1999/1/1", "2002/1/1"},
           {90, 3, 31, 143, "2090/3/31", "2102/2/28"},
           {88, 1, 31, 145, "2088/1/31", "2100/2/28"},
       }) {
    auto& printer = Printer({{12, c.year}, {13, c.month}, {14, c.day}, {28, c.months}});
    TZlic zlic(printer.command, printer.clock);
    std::string report;
    ASSERT_EQ(zlic.ReadChipUniqueInfo(INK_BLACK, report), PORT_OK) << c.product;
    EXPECT_THAT(report, ::testing::HasSubstr("Product date = " + c.product + "\r\n"));
    EXPECT_THAT(report, ::testing::HasSubstr("Effect date = " + c.effect + "\r\n"));
  }
}

TEST_F(ChipTest, CartridgeIsRefusedWithoutAReport) {
  struct Case {
    const char* what;
    ChipBytes bytes;
    Result result;
  };
  for (const Case& c : std::vector<Case>{
           {"another maker", {{39, 'B'}}, ERR_CHIP_MAKER},
           {"maker before date", {{35, 'v'}, {13, 0}}, ERR_CHIP_MAKER},
           {"year 100", {{12, 100}}, ERR_CHIP_DATE},
           {"month 0", {{13, 0}}, ERR_CHIP_DATE},
           {"month 13", {{13, 13}}, ERR_CHIP_DATE},
           {"day 0", {{14, 0}}, ERR_CHIP_DATE},
           {"31 April", {{13, 4}, {14, 31}}, ERR_CHIP_DATE},
           {"29 February 2003", {{12, 3}, {13, 2}, {14, 29}}, ERR_CHIP_DATE},
           {"32 January", {{13, 1}, {14, 32}}, ERR_CHIP_DATE},
       }) {
    auto& printer = Printer(c.bytes);
    TZlic zlic(printer.command, printer.clock);
    std::string report = "kept";
    EXPECT_EQ(zlic.ReadChipUniqueInfo(INK_BLACK, report), c.result) << c.what;
    EXPECT_EQ(report, "kept") << c.what;
  }
  EXPECT_EQ(ResultMessage(ERR_CHIP_DATE), "The ink cartridge's chip holds no valid date.");
}

TEST_F(ChipTest, CartridgeIsGoodUntilTheEndOfItsEffectDate) {
  auto& printer = Printer({});
  TZlic zlic(printer.command, printer.clock);
  std::string report;
  printer.clock.SetLocalTime(testing::LocalDate(2025, 5, 14));
  EXPECT_EQ(zlic.ReadChipUniqueInfo(INK_BLACK, report), PORT_OK);
  printer.clock.SetLocalTime(testing::LocalDate(2025, 5, 15));
  EXPECT_EQ(zlic.ReadChipUniqueInfo(INK_BLACK, report), ERR_CHIP_EXPIRED);
}

TEST_F(ChipTest, UsageReportShowsWhatIsLeft) {
  auto& printer = Printer({{0, 100}, {6, 0}, {7, 2}, {21, 10}},
                          {{0, 10}, {1, 20}, {2, 30}, {3, 40}, {4, 50}, {6, 1}, {7, 0}, {21, 2}});
  TZlic zlic(printer.command, printer.clock);
  std::string black;
  std::string color;
  ASSERT_EQ(zlic.ReadChipUsageInfo(INK_BLACK, black), PORT_OK);
  EXPECT_EQ(black,
            " \r\nInk counter remaining quantity\r\n        Black = 0%\r\n\r\nCleaning counter = "
            "0 time\r\n Install counter = 2 times\r\n Recycle counter = 10 times");
  ASSERT_EQ(zlic.ReadChipUsageInfo(INK_COLOR, color), PORT_OK);
  EXPECT_EQ(color,
            " \r\nInk counter remaining quantity\r\n         Cyan = 90%\r\n      Magenta = "
            "80%\r\n       Yellow = 70%\r\n       L.Cyan = 60%\r\n    L.Magenta = "
            "50%\r\n\r\nCleaning counter = 1 time\r\n Install counter = 0 time\r\n Recycle "
            "counter = 2 times");
  EXPECT_THAT(printer.ChipReads(), ElementsAre(0, 6, 7, 21, 0, 1, 2, 3, 4, 6, 7, 21));
}

TEST_F(ChipTest, MoreThanAllOfAnInkUsedIsInvalidChipData) {
  struct Case {
    uint8_t cartridge;
    testing::ChipBytes bytes;
  };
  for (const Case& c : std::vector<Case>{
           {INK_BLACK, {{0, 101}}}, {INK_BLACK, {{0, 255}}}, {INK_COLOR, {{4, 101}}}}) {
    auto& printer = Printer(c.bytes, c.bytes);
    TZlic zlic(printer.command, printer.clock);
    std::string report = "kept";
    EXPECT_EQ(zlic.ReadChipUsageInfo(c.cartridge, report), ERR_CHIP_DATA);
    EXPECT_EQ(report, "kept");
    EXPECT_EQ(ResultMessage(ERR_CHIP_DATA), "The ink cartridge's chip holds invalid data.");
  }
}

TEST_F(ChipTest, FailingReadStopsAndKeepsTheReport) {
  for (const int frames_before_cut : {0, 4, 12}) {
    auto& printer = Printer({});
    TZlic zlic(printer.command, printer.clock);
    printer.gate.frames_before_cut = frames_before_cut;
    std::string report = "kept";
    EXPECT_EQ(zlic.ReadChipUniqueInfo(INK_BLACK, report), ERR_SEND_COUNT);
    EXPECT_EQ(report, "kept");
    EXPECT_EQ(printer.ChipReads().size(), static_cast<std::size_t>(frames_before_cut));
  }
  auto& printer = Printer({});
  printer.printer.SetFaults({.corrupt_reply = true});
  TZlic zlic(printer.command, printer.clock);
  std::string report = "kept";
  EXPECT_EQ(zlic.ReadChipUsageInfo(INK_COLOR, report), ERR_BAD_REPLY);
  EXPECT_EQ(report, "kept");
}

TEST_F(ChipTest, AllReportsComeInMenuOrderAndStopAtTheFirstRefusal) {
  auto& good = Printer({{0, 7}}, {{0, 9}});
  TZlic zlic(good.command, good.clock);
  ChipReports reports;
  ASSERT_EQ(zlic.ReadAllChipInfo(reports), PORT_OK);
  EXPECT_THAT(reports[0], ::testing::HasSubstr("Product company = VELTA"));
  EXPECT_THAT(reports[1], ::testing::HasSubstr("Black = 93%"));
  EXPECT_THAT(reports[2], ::testing::HasSubstr("Product company = VELTA"));
  EXPECT_THAT(reports[3], ::testing::HasSubstr("Cyan = 91%"));

  auto& foreign = Printer({}, {{35, 'X'}});
  TZlic refusing(foreign.command, foreign.clock);
  EXPECT_EQ(refusing.ReadAllChipInfo(reports), ERR_CHIP_MAKER);
  EXPECT_EQ(foreign.ChipReads().size(), 13u + 4u + 13u);
}

}  // namespace
}  // namespace opal
