#include "printing/a4check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/chipprinter.h"
#include "tests/support/pagestream.h"
#include "tests/support/scripteddevice.h"
#include "tests/support/tempdir.h"

namespace opal {
namespace {

using std::string_literals::operator""s;
using testing::DecodedStream;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::PageElement;

// The sheet as a reader follows it down the paper: text with its NULs shown, a line per line
// feed, each page's end, and one mark for each stretch of graphics. Service frames are not
// printed and leave no trace.
std::string Transcript(const DecodedStream& stream) {
  std::string out;
  bool in_graphics = false;
  for (const PageElement& element : stream.elements) {
    if (element.kind == PageElement::Kind::ServiceFrame || element.name == "CR") continue;
    const bool graphics =
        element.kind == PageElement::Kind::Band || (element.kind == PageElement::Kind::Command &&
                                                    element.name != "LF" && element.name != "FF");
    if (graphics && !in_graphics) out += "[graphics]";
    in_graphics = graphics;
    if (element.name == "LF") out += "\n";
    if (element.name == "FF") out += "<FF>\n";
    if (element.kind != PageElement::Kind::Text) continue;
    for (const uint8_t byte : element.bytes) {
      out += byte == 0 ? "\\0"s : std::string(1, static_cast<char>(byte));
    }
  }
  return out;
}

// The sheet of a factory-fresh Opal 320 with the fixture's cartridges.
constexpr std::string_view kExpectedSheet =
    R"(    *************** Corvane Opal 320\0 CHECK PATTERN PRINT 1/3 ***************\0

1. \0Beta( BK-C-LC-M-LM-Y )\0
[graphics]
[graphics]

2. \0Nozzle Check( BK-C-LC-M-LM-Y )\0
[graphics]
[graphics]

3. \0Horizontal Alignment( BK-C-LC-M-LM-Y )\0
  ( Firing Nozzle Number : BK = Odd,  Color = Even )\0
[graphics]


  ( Firing Nozzle Number : Color = Odd,  BK = Even )\0
[graphics]



4. \0 HEAD ID = \0M3RF5GTPQ2SLJ


5. \0 USB  ID = \0K4A7Q20931O5E9BH20


6. \0 Protection Counter Value = \0500\0 <FF>
    *************** Corvane Opal 320\0 CHECK PATTERN PRINT 2/3 ***************\0

7. \0Bi-d\0
 MS Black\0
data = \01\0\0\0       \0data = \02\0\0\0       \0data = \03\0\0\0       \0data = \04\0\0\0       \0data = \05\0\0\0
[graphics]


 MS Color\0
data = \0-6\0\0       \0data = \0-5\0\0       \0data = \0-4\0\0       \0data = \0-3\0\0       \0data = \0-2\0\0
[graphics]


 6pl Black\0
data = \0-4\0\0       \0data = \0-3\0\0       \0data = \0-2\0\0       \0data = \0-1\0\0       \0data = \00\0\0\0
[graphics]


 6pl Color\0
data = \00\0\0\0       \0data = \01\0\0\0       \0data = \02\0\0\0       \0data = \03\0\0\0       \0data = \04\0\0\0
[graphics]


 4pl Black\0
data = \0-1\0\0       \0data = \00\0\0\0       \0data = \01\0\0\0       \0data = \02\0\0\0       \0data = \03\0\0\0
[graphics]


 4pl Color\0
data = \0-2\0\0       \0data = \0-1\0\0       \0data = \00\0\0\0       \0data = \01\0\0\0       \0data = \02\0\0\0
[graphics]


<FF>
    *************** Corvane Opal 320\0 CHECK PATTERN PRINT 3/3 ***************\0

8. \0Black ZLIC information\0

(Unique)\0 
   Product company = VELTA
      Product date = 2023/5/14
       Effect date = 2025/5/14
Open effect period = 6 months

(Usage)\0 
Ink counter remaining quantity
        Black = 88%

Cleaning counter = 1 time
 Install counter = 1 time
 Recycle counter = 0 time


Color ZLIC information\0

(Unique)\0 
   Product company = VELTA
      Product date = 2023/5/14
       Effect date = 2025/5/14
Open effect period = 6 months

(Usage)\0 
Ink counter remaining quantity
         Cyan = 97%
      Magenta = 95%
       Yellow = 98%
       L.Cyan = 94%
    L.Magenta = 96%

Cleaning counter = 1 time
 Install counter = 1 time
 Recycle counter = 0 time


<FF>
)";

class A4CheckTest : public ::testing::Test {
 protected:
  DecodedStream Sent() const {
    const std::vector<uint8_t> stream = testing::Joined(link.gate.frames);
    return testing::DecodePageStream(stream);
  }
  // The text of the last text element sent.
  std::string LastText() const {
    const DecodedStream stream = Sent();
    const PageElement* last = stream.Named("text").back();
    return {last->bytes.begin(), last->bytes.end()};
  }
  std::array<uint8_t, 6> BidBytes() const {
    const auto eeprom = link.printer.Eeprom();
    std::array<uint8_t, 6> bytes{};
    std::copy_n(eeprom.begin() + 0x33, bytes.size(), bytes.begin());
    return bytes;
  }

  testing::TempDir temp;
  testing::ChipPrinter link{temp.path() / "printer", testing::GoodChip({{0, 12}}),
                            testing::GoodChip({{0, 3}, {1, 5}, {2, 2}, {3, 6}, {4, 4}})};
  TRasterPrinter raster{link.port, link.exit};
  THeadIdCoder head_id{link.command};
  TMaintenanceModule maintenance{link.command};
  TZlic zlic{link.command, link.clock};
  TA4Check sheet{raster, link.command, head_id, maintenance, zlic};
};

TEST_F(A4CheckTest, SheetReadsAsStoredAndLeavesTheAlignmentAsItWas) {
  const auto before = BidBytes();
  ASSERT_EQ(sheet.PrintA4CheckSheet(PrinterModel::Opal320), PORT_OK);
  EXPECT_EQ(BidBytes(), before);
  const DecodedStream stream = Sent();
  ASSERT_THAT(stream.error, IsEmpty());
  EXPECT_EQ(Transcript(stream), kExpectedSheet);
  std::vector<std::size_t> bands_per_page(1);
  for (const PageElement& element : stream.elements) {
    if (element.kind == PageElement::Kind::Band) ++bands_per_page.back();
    if (element.name == "FF") bands_per_page.push_back(0);
  }
  // Six Bi-D blocks of three passes, each a reference band and five trials of two bands.
  EXPECT_THAT(bands_per_page, ElementsAre(::testing::Gt(0u), 6u * 3u * 11u, 0u, 0u));
}

TEST_F(A4CheckTest, ModelLineAndCounterFieldFollowWhatTheyAreGiven) {
  struct Case {
    PrinterModel model_code;
    uint8_t high, low;
    std::string model_line, field;
  };
  for (const Case& c : std::vector<Case>{
           {PrinterModel::Opal310, 0x00, 0x07, "    *************** Corvane Opal 310\0"s,
            "7\0   "s},
           {PrinterModel::None, 0xFF, 0xFF, "", "65535"},
       }) {
    link.printer.SetEepromByte(0x1A, c.high);
    link.printer.SetEepromByte(0x1B, c.low);
    link.gate = {};
    ASSERT_EQ(sheet.PrintA4CheckSheet(c.model_code), PORT_OK);
    const std::string text = Sent().Text();
    for (const char* page : {"1/3", "2/3", "3/3"}) {
      const std::string header = " CHECK PATTERN PRINT "s + page + " ***************\0"s;
      const auto at = text.find(header);
      ASSERT_NE(at, std::string::npos) << page;
      EXPECT_TRUE(text.substr(0, at).ends_with(c.model_line)) << c.model_code << " " << page;
    }
    EXPECT_TRUE(text.starts_with(c.model_line + " CHECK")) << c.model_code;
    EXPECT_EQ(text.find("Corvane") == std::string::npos, c.model_line.empty()) << c.model_code;
    const std::string caption = " Protection Counter Value = \0"s;
    EXPECT_EQ(text.substr(text.find(caption) + caption.size(), 6), c.field + " ") << c.field;
  }
}

TEST_F(A4CheckTest, UnreadableValuesStopTheSheetWhereTheyAre) {
  struct Case {
    const char* what;
    std::optional<uint8_t> address;  // of the EEPROM read that is lost; none: the first
    std::string last_text;
    std::size_t form_feeds;
  };
  for (const Case& c : std::vector<Case>{
           {"head ID", std::nullopt, " HEAD ID = \0"s, 0},
           {"USB ID", 0x50, " USB  ID = \0"s, 0},
           {"counter", 0x1B, " Protection Counter Value = \0"s, 0},
           // The Bi-D values are read before the second page's first byte.
           {"Bi-D value", 0x37, "500\0 "s, 1},
       }) {
    link.gate = {};
    link.flaw.drops = [&c](std::span<const uint8_t> f) {
      return f.size() == 11 && f[0] == 0x1B && f[1] == 0x7C && f[7] == 0x41 &&
             (!c.address || f[10] == *c.address);
    };
    const auto before = link.printer.Eeprom();
    EXPECT_EQ(sheet.PrintA4CheckSheet(PrinterModel::Opal320), ERR_SEND_COUNT) << c.what;
    EXPECT_EQ(Sent().Named("FF").size(), c.form_feeds) << c.what;
    EXPECT_TRUE(LastText().ends_with(c.last_text)) << c.what;
    EXPECT_EQ(link.printer.Eeprom(), before) << c.what;
  }

  link.gate = {};
  link.clock.SetLocalTime(testing::LocalDate(2025, 5, 15));
  EXPECT_EQ(sheet.PrintA4CheckSheet(PrinterModel::Opal320), ERR_CHIP_EXPIRED);
  EXPECT_EQ(Sent().Named("FF").size(), 2u);
  EXPECT_EQ(LastText(), "8. \0"s);
}

TEST_F(A4CheckTest, StoredBytesPrintAsTextOnlyWhenPrintable) {
  for (const auto& [address, value] : std::vector<std::pair<uint8_t, uint8_t>>{
           {0x4C, 0x0C}, {0x4D, 0x1B}, {0x4E, 0x40}, {0x4F, 0x7F}, {0x50, 0x20}, {0x3F, 0x00}}) {
    link.printer.SetEepromByte(address, value);
  }
  ASSERT_EQ(sheet.PrintA4CheckSheet(PrinterModel::Opal320), PORT_OK);
  const std::string text = Sent().Text();
  EXPECT_NE(text.find(" HEAD ID = \0?3RF5GTPQ2SL"s), std::string::npos);
  EXPECT_NE(text.find(" USB  ID = \0??@? 20931O5E9BH20"s), std::string::npos);
  // Nothing stored reaches the printer as a control code: only the sheet's own form feeds.
  EXPECT_EQ(Sent().Named("FF").size(), 3u);
}

TEST_F(A4CheckTest, PrinterThatStopsTakingBytesFailsTheSheetAtOnce) {
  link.printer.SetFaults({.stall_input = true});
  const auto start = link.clock.Now();
  EXPECT_EQ(sheet.PrintA4CheckSheet(PrinterModel::Opal320), ERR_SEND_TIMEOUT);
  EXPECT_LT(link.clock.Now() - start, std::chrono::seconds(11));
}

TEST_F(A4CheckTest, WriteLostOnTheFirstPageIsReportedAtTheEnd) {
  link.flaw.drops = [](std::span<const uint8_t>) { return true; };
  EXPECT_EQ(sheet.PrintA4CheckSheet(PrinterModel::Opal320), ERR_SEND_COUNT);
  const DecodedStream stream = Sent();
  EXPECT_EQ(stream.Named("FF").size(), 3u);
  EXPECT_TRUE(stream.Text().starts_with(" CHECK PATTERN PRINT 1/3"));
}

}  // namespace
}  // namespace opal
