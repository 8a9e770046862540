#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/virtualprinter/pagebytes.h"
#include "tests/virtualprinter/printedpages.h"
#include "virtualprinter/pageinterpreter.h"

namespace vp::testing {
namespace {

using vp::testing::PrintTo;

class PageTest : public PrinterTest {
 protected:
  // Prints `stream` and a form feed, and returns the page that came out.
  QImage Print(const Bytes& stream) {
    printer_.Feed(Concat({stream, page::FormFeed()}), kNow);
    return LoadPage(printer_, PageCount(printer_));
  }
};

Bytes GraphicsSetup(uint8_t direction, uint8_t dot_size) {
  return Concat({page::Initialize(), page::GraphicsMode(), page::Unit(10),
                 page::Direction(direction), page::DotSize(dot_size)});
}

// A 48-row 1-bit band: row k (nozzle k) holds a line over dots 0 to 959, except the rows in
// `blank`.
Bytes NozzleBand(const std::set<int>& blank) {
  std::vector<Bytes> rows;
  for (int k = 1; k <= 48; ++k) {
    Bytes row(360, 0);
    if (blank.count(k) == 0) std::fill_n(row.begin(), 120, 0xFF);
    rows.push_back(row);
  }
  return Concat({page::RasterHeader(48, 2880), page::RunLength(rows), page::EndBand()});
}

TEST_F(PageTest, NozzleLinesLandOnTheirRowsAndABlankRowLeavesAGap) {
  const QImage sheet = Print(
      Concat({GraphicsSetup(1, 0), page::SelectInk(0, 0), NozzleBand({11}), page::Advance(144),
              page::SelectInk(0, 0), NozzleBand({}), page::Initialize()}));
  ASSERT_FALSE(sheet.isNull());
  for (int band = 0; band < 2; ++band) {
    for (int k = 1; k <= 48; ++k) {
      SCOPED_TRACE("band " + std::to_string(band) + " nozzle " + std::to_string(k));
      // Rows are 1/120 inch apart, the second band 144/360 inch lower.
      const int y = kOrigin + band * 144 + (k - 1) * 3;
      const bool printed = !(band == 0 && k == 11);
      EXPECT_EQ(Inked(sheet, kOrigin, y), printed);
      EXPECT_EQ(Inked(sheet, kOrigin + 959, y), printed);
      EXPECT_FALSE(Inked(sheet, kOrigin + 960, y));
      EXPECT_FALSE(Inked(sheet, kOrigin - 1, y));
      EXPECT_FALSE(Inked(sheet, kOrigin + 480, y + 1));
    }
  }
}

struct InkCase {
  const char* name;
  uint8_t density;
  uint8_t colour;
  std::function<bool(const QColor&)> looks_right;
};

class InkTest : public PageTest, public ::testing::WithParamInterface<InkCase> {};

// Both ways of choosing an ink, ESC ( r for a 1-bit band and the ink byte of ESC i for a 2-bit
// one, give the same ink, and it is the one asked for.
TEST_P(InkTest, StripeShowsTheInkChosen) {
  const InkCase& c = GetParam();
  std::vector<Bytes> one_bit(48, Bytes(360, 0xFF));
  std::vector<Bytes> two_bit(48, Bytes(720, 0xFF));
  const QImage sheet = Print(Concat(
      {GraphicsSetup(1, 0), page::SelectInk(c.density, c.colour), page::RasterHeader(48, 2880),
       page::RunLength(one_bit), page::EndBand(), page::Advance(144), page::RasterResolution(),
       page::RasterTransfer(static_cast<uint8_t>(c.density << 4 | c.colour), 720, 48),
       page::RunLength(two_bit), page::EndBand(), page::Initialize()}));
  for (const int y : {kOrigin + 60, kOrigin + 144 + 60}) {
    const QColor colour(sheet.pixel(kOrigin + 1000, y));
    EXPECT_TRUE(c.looks_right(colour)) << colour.name().toStdString() << " at y " << y;
  }
  EXPECT_EQ(printer_.UnknownCommands(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Inks, InkTest,
    ::testing::Values(
        InkCase{"Black", 0, 0,
                [](const QColor& c) {
                  return std::max({c.red(), c.green(), c.blue()}) < 80;
                }},
        InkCase{"Cyan", 0, 2,
                [](const QColor& c) { return c.red() < 60 && c.blue() > 180 && c.green() > 100; }},
        InkCase{"LightCyan", 1, 2,
                [](const QColor& c) {
                  return c.red() > 100 && c.red() < 200 && c.blue() > 220 && c.green() > 180;
                }},
        InkCase{"Magenta", 0, 1,
                [](const QColor& c) { return c.green() < 60 && c.red() > 180 && c.blue() > 80; }},
        InkCase{"LightMagenta", 1, 1,
                [](const QColor& c) {
                  return c.green() > 100 && c.green() < 200 && c.red() > 220 && c.blue() > 160;
                }},
        InkCase{"Yellow", 0, 4,
                [](const QColor& c) { return c.blue() < 60 && c.red() > 200 && c.green() > 200; }}),
    kCaseName);

int Lightness(const QImage& sheet, int x, int y) {
  return QColor(sheet.pixel(x, y)).lightness();
}

TEST_F(PageTest, TwoBitBandsSizeTheirDotsAndFollowTheResolution) {
  // Row 1: dots 0 to 3 with the values 1, 2, 3, 0; the last row likewise.
  std::vector<Bytes> rows(4, Bytes(2, 0));
  rows[0][0] = 0b01'10'11'00;
  rows[3][0] = 0b01'10'11'00;
  // Base 360 with rows 6/360 and dots 2/360 inch apart.
  const Bytes coarse{0x1B, 0x28, 0x44, 0x04, 0x00, 0x68, 0x01, 0x06, 0x02};
  const QImage sheet =
      Print(Concat({GraphicsSetup(1, 0), page::RasterResolution(), page::RasterTransfer(0, 2, 4),
                    page::RunLength(rows), page::EndBand(), page::Advance(100), coarse,
                    page::RasterTransfer(0, 2, 4), page::RunLength(rows), page::EndBand()}));
  struct Placement {
    int top;
    int row_pitch;
    int dot_pitch;
  };
  for (const Placement& at : {Placement{kOrigin, 3, 1}, Placement{kOrigin + 100, 6, 2}}) {
    for (const int row : {0, 3}) {
      const int y = at.top + row * at.row_pitch;
      const auto x = [&](int dot) { return kOrigin + dot * at.dot_pitch; };
      EXPECT_GT(Lightness(sheet, x(0), y), Lightness(sheet, x(1), y));
      EXPECT_GT(Lightness(sheet, x(1), y), Lightness(sheet, x(2), y));
      EXPECT_FALSE(Inked(sheet, x(3), y));
      EXPECT_TRUE(Inked(sheet, x(0), y));
    }
    EXPECT_FALSE(AnyInk(sheet, QRect(kOrigin, at.top + 1, 10, 3 * at.row_pitch - 2)));
  }
}

// The pixels of one character cell.
QImage Cell(const QImage& sheet, int column, int line) {
  return sheet.copy(kOrigin + column * kCharacter, kOrigin + line * kLine, kCharacter, kLine);
}

TEST_F(PageTest, TextIsPrintedInTheResidentFontCellByCell) {
  const Bytes text{'H', 'I', 0x00, 0x00, 'H', 0x0D, 0x0A, ' ', 'I', 0x0D, 0x0A, 'I', 'I'};
  const QImage sheet = Print(Concat({text, page::GraphicsMode(), Bytes{'X', 'X', 'X'}}));
  const QImage blank = Cell(sheet, 9, 9);
  ASSERT_FALSE(AnyInk(blank, blank.rect()));
  // NULs take no room; CR LF starts the next line at the left margin.
  EXPECT_EQ(Cell(sheet, 2, 0), Cell(sheet, 0, 0));
  EXPECT_NE(Cell(sheet, 1, 0), Cell(sheet, 0, 0));
  EXPECT_NE(Cell(sheet, 1, 0), blank);
  EXPECT_EQ(Cell(sheet, 3, 0), blank);
  EXPECT_EQ(Cell(sheet, 0, 1), blank);
  EXPECT_EQ(Cell(sheet, 1, 1), Cell(sheet, 1, 0));
  // Graphics mode prints no text.
  EXPECT_EQ(Cell(sheet, 2, 2), blank);
  EXPECT_EQ(Cell(sheet, 1, 2), Cell(sheet, 1, 0));
}

struct FeedCase {
  const char* name;
  Bytes stream;
  int pages;
};

class PageCountTest : public PrinterTest, public ::testing::WithParamInterface<FeedCase> {};

TEST_P(PageCountTest, SheetsComeOutAsTheStreamSays) {
  printer_.Feed(GetParam().stream, kNow);
  EXPECT_EQ(PageCount(printer_), GetParam().pages);
}

Bytes Lines(int count) {
  Bytes bytes;
  for (int i = 0; i < count; ++i) bytes.insert(bytes.end(), {'x', 0x0D, 0x0A});
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, PageCountTest,
    ::testing::Values(FeedCase{"FormFeedEndsThePage", {'a', 0x0C}, 1},
                      FeedCase{"NoFormFeedNoPage", {'a', 0x0D, 0x0A}, 0},
                      FeedCase{"FormFeedOnAnUnusedSheetFeedsNothing", {0x0C, 'a', 0x0C, 0x0C}, 1},
                      FeedCase{"PaperMovedIsASheetUsed", {0x0D, 0x0A, 0x0C}, 1},
                      FeedCase{"TwoPages", {'a', 0x0C, 'b', 0x0C}, 2},
                      // 4113 pixels of printable height hold 68 lines of 60.
                      FeedCase{"FullSheetGoesOnToTheNext", Concat({Lines(68), Bytes{0x0C}}), 1},
                      FeedCase{"OneLineMoreNeedsASecondSheet", Concat({Lines(69), Bytes{0x0C}}),
                               2}),
    kCaseName);

TEST_F(PageTest, PagesAreNumberedOnAcrossSessions) {
  printer_.Feed(Bytes{'a', 0x0C, 'b', 0x0C}, kNow);
  EXPECT_EQ(printer_.WaitForPages(), "");
  VirtualPrinter reopened(Dir());
  reopened.Feed(Bytes{'c', 0x0C}, kNow);
  EXPECT_EQ(PageCount(reopened), 3);
  EXPECT_FALSE(LoadPage(reopened, 3).isNull());
}

TEST_F(PageTest, UnknownCommandsAreSkippedAndCounted) {
  const Bytes unknown = Concat({
      Bytes{0x1B, 'Q'},                                   // no such escape code
      Bytes{0x1B, 0x28, 'z', 0x03, 0x00, 'X', 'X', 'X'},  // no such ESC ( letter: data skipped
      Bytes{0x1B, 0x28, 0x47, 0x02, 0x00, 0x01, 0x00},    // graphics mode with a wrong length
      page::SelectInk(1, 4),                              // there is no light yellow
      Bytes{0x1B, 0x69, 0x00, 0x01, 0x03, 0x01, 0x00, 0x01, 0x00},  // three bits per dot
      Bytes{0x1B, 0x28, 0x52, 0x08, 0x00, 0x00, 'R', 'E', 'M', 'O', 'T', 'E', '1'},
      Bytes{'Z', 'Z', 0x01, 0x00, 'X'},  // no such remote command
      Bytes{0x1B, 0x00, 0x00, 0x00},
  });
  const QImage sheet = Print(Concat({unknown, Bytes{'o', 'k'}}));
  EXPECT_EQ(printer_.UnknownCommands(), 6u);
  // The skipped data printed nothing: "ok" stands at the start of the first line.
  EXPECT_TRUE(AnyInk(Cell(sheet, 0, 0), Cell(sheet, 0, 0).rect()));
  EXPECT_TRUE(AnyInk(Cell(sheet, 1, 0), Cell(sheet, 1, 0).rect()));
  EXPECT_FALSE(AnyInk(Cell(sheet, 2, 0), Cell(sheet, 2, 0).rect()));
}

struct HiddenFrameCase {
  const char* name;
  std::function<Bytes(const Bytes& frame)> wrap;  // a command whose data holds `frame`
};

class HiddenFrameTest : public PrinterTest,
                        public ::testing::WithParamInterface<HiddenFrameCase> {};

TEST_P(HiddenFrameTest, FrameInsideCommandDataIsOnlyData) {
  const uint8_t before = printer_.Eeprom()[0x10];
  printer_.Feed(GetParam().wrap(EepromWriteFrame(0x10, 0x77)), kNow);
  EXPECT_EQ(printer_.Eeprom()[0x10], before);
  EXPECT_EQ(printer_.MalformedFrames(), 0u);
  // The command ended where its data did: the next frame is a frame again.
  EXPECT_EQ(ReadEeprom(0x10), before);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, HiddenFrameTest,
    ::testing::Values(HiddenFrameCase{"RasterLiteral",
                                      [](const Bytes& frame) {
                                        Bytes row(360, 0);
                                        std::copy(frame.begin(), frame.end(), row.begin() + 7);
                                        return Concat({GraphicsSetup(1, 0),
                                                       page::RasterHeader(1, 2880),
                                                       page::RunLength({row}), page::EndBand()});
                                      }},
                      HiddenFrameCase{"UncompressedTransfer",
                                      [](const Bytes& frame) {
                                        return Concat({Bytes{0x1B, 0x69, 0x00, 0x00, 0x02,
                                                             static_cast<uint8_t>(frame.size()),
                                                             0x00, 0x01, 0x00},
                                                       frame});
                                      }},
                      HiddenFrameCase{"UnknownExtendedCommand",
                                      [](const Bytes& frame) {
                                        return Concat(
                                            {Bytes{0x1B, 0x28, 'z',
                                                   static_cast<uint8_t>(frame.size()), 0x00},
                                             frame});
                                      }}),
    kCaseName);

TEST_F(PageTest, RasterDataAroundAFrameStillPrints) {
  Bytes row(360, 0);
  const Bytes frame = EepromWriteFrame(0x10, 0x77);
  std::copy(frame.begin(), frame.end(), row.begin());
  const QImage sheet =
      Print(Concat({GraphicsSetup(1, 0), page::RasterHeader(1, 2880), page::RunLength({row})}));
  // 0x1B and 0x7C, the frame's first bytes, are dots 3, 4, 6, 7 and 9 to 13.
  for (int dot = 0; dot < 16; ++dot) {
    EXPECT_EQ(Inked(sheet, kOrigin + dot, kOrigin), ((0x1B7C >> (15 - dot)) & 1) == 1) << dot;
  }
}

TEST_F(PageTest, RemoteNozzleCheckPrintsEveryNozzleOfEveryInk) {
  const Bytes nozzle_check{0x1B, 0x28, 0x52, 0x08, 0x00, 0x00, 'R',  'E',  'M',
                           'O',  'T',  'E',  '1',  'L',  'D',  0x00, 0x00, 'N',
                           'C',  0x02, 0x00, 0x00, 0x00, 0x1B, 0x00, 0x00, 0x00};
  const QImage sheet = Print(nozzle_check);
  EXPECT_EQ(printer_.UnknownCommands(), 0u);
  // Six blocks side by side, BK C LC M LM Y, under a line of names; in each, one line per nozzle.
  const std::vector<std::function<bool(const QColor&)>> inks{
      [](const QColor& c) { return c.lightness() < 60; },
      [](const QColor& c) { return c.red() < 60 && c.blue() > 180; },
      [](const QColor& c) { return c.red() > 100 && c.red() < 200 && c.blue() > 220; },
      [](const QColor& c) { return c.green() < 60 && c.red() > 180; },
      [](const QColor& c) { return c.green() > 100 && c.green() < 200 && c.red() > 220; },
      [](const QColor& c) { return c.blue() < 60 && c.red() > 200; }};
  const int block_width = PageCanvas::kPrintableWidth / 6;
  for (int block = 0; block < 6; ++block) {
    SCOPED_TRACE("block " + std::to_string(block));
    const int left = kOrigin + block * block_width;
    EXPECT_TRUE(AnyInk(sheet, QRect(left, kOrigin, block_width, kLine)));  // its name
    int lines = 0;
    for (int y = kOrigin + kLine; y < kOrigin + 3 * kLine + 144; ++y) {
      for (int x = left; x < left + block_width; ++x) {
        if (!Inked(sheet, x, y)) continue;
        EXPECT_TRUE(inks[static_cast<std::size_t>(block)](QColor(sheet.pixel(x, y))));
        ++lines;
        break;
      }
    }
    EXPECT_EQ(lines, 48);
  }
  // Remote mode is left: a frame is a frame again.
  EXPECT_EQ(ReadEeprom(0x5E), printer_.Eeprom()[0x5E]);
}

class CountingMechanism final : public PrintMechanism {
 public:
  int ReturnPassOffset(uint8_t, bool) const override { return 3; }
  void Eject(PageCanvas& page) override {
    ++sheets;
    blank_sheets += page.Blank();
  }
  int sheets = 0;
  int blank_sheets = 0;
};

// Random streams drawn mostly from the bytes commands are made of, so that they reach deep into
// commands; the sanitizers watch for what a test cannot see.
TEST(PageLanguageFuzz, RandomBytesNeverBreakTheInterpreter) {
  const Bytes alphabet{0x1B, 0x1B, 0x1B, '(',  '(',  '.',  'i',  '@',  '<',  'U',  'G',  'U',
                       'e',  'K',  'r',  'v',  'D',  'R',  'N',  'C',  0x00, 0x01, 0x02, 0x03,
                       0x04, 0x08, 0x0A, 0x0C, 0x0D, 0x11, 0x12, 0x30, 0x68, 0x80, 0xFE, 0xFF};
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
  std::uniform_int_distribution<int> any_byte(0, 255);
  CountingMechanism mechanism;
  PageInterpreter interpreter(mechanism);
  for (int stream = 0; stream < 300; ++stream) {
    for (int i = 0; i < 2000; ++i) {
      interpreter.Take(
          static_cast<uint8_t>(i % 4 == 0 ? any_byte(random) : alphabet[pick(random)]));
    }
    interpreter.Reset();
  }
  EXPECT_GT(interpreter.SkippedCommands(), 0u);
  // After a reset the interpreter works as new.
  mechanism.sheets = 0;
  for (const uint8_t byte : Bytes{'A', 0x0C}) interpreter.Take(byte);
  EXPECT_EQ(mechanism.sheets, 1);
}

}  // namespace
}  // namespace vp::testing
