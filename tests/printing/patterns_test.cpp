#include "printing/patterns.h"

#include <gmock/gmock.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "tests/printing/rasterfixture.h"

namespace opal {
namespace {

using testing::Bytes;
using ::testing::Each;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing::PageElement;
using ::testing::SizeIs;

// Lit dots of a 1-bit row, most significant bit leftmost.
std::set<int> OneBitDots(const Bytes& row) {
  std::set<int> dots;
  for (std::size_t byte = 0; byte < row.size(); ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      if (row[byte] & (0x80 >> bit)) dots.insert(static_cast<int>(byte * 8) + bit);
    }
  }
  return dots;
}

// Dot sizes of a 2-bit row by dot, top two bits leftmost; blank dots left out.
std::map<int, int> TwoBitDots(const Bytes& row) {
  std::map<int, int> dots;
  for (std::size_t byte = 0; byte < row.size(); ++byte) {
    for (int dot = 0; dot < 4; ++dot) {
      const int size = row[byte] >> (6 - 2 * dot) & 3;
      if (size != 0) dots[static_cast<int>(byte * 4) + dot] = size;
    }
  }
  return dots;
}

std::vector<int> Parameters(const testing::DecodedStream& stream, const std::string& name,
                            std::size_t at) {
  std::vector<int> values;
  for (const auto* element : stream.Named(name)) values.push_back(element->bytes.at(at));
  return values;
}

std::vector<int> Advances(const testing::DecodedStream& stream) {
  return Parameters(stream, "ESC (v", 5);
}

std::set<int> Ticks(int column) {
  std::set<int> dots;
  for (int tick = 0; tick < 8; ++tick) dots.insert(480 * column + 48 * tick);
  return dots;
}

class PatternTest : public testing::RasterFixture {};

struct PatternCase {
  std::string name;
  std::function<Result(TRasterPrinter&)> print;
  std::string text;
  std::vector<uint8_t> band_inks;  // SelectInk's density << 4 | colour
  std::vector<int> advances;
  std::size_t ended_bands;
  // Lit dots of row `row` (1 to 48) of band `band`, and the runs it may take.
  std::function<std::set<int>(std::size_t band, int row)> dots;
  std::function<int(std::size_t band, int row)> runs;
};

template <typename T>
std::vector<T> Repeated(const std::vector<T>& part, int times) {
  std::vector<T> all;
  for (int i = 0; i < times; ++i) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::set<int> Stripe(int from_byte, int bytes) {
  std::set<int> dots;
  for (int dot = from_byte * 8; dot < (from_byte + bytes) * 8; ++dot) dots.insert(dot);
  return dots;
}

std::set<int> BetaBlackRow(std::size_t band, int row) {
  const bool odd = row % 2 == 1;
  const bool middle_pass = band % 3 == 1;
  const int first_halftone_dot = odd != middle_pass ? 0 : 2;  // 0x88 or 0x22
  std::set<int> dots;
  for (int copy = 0; copy < 3; ++copy) {
    const int start = copy * 960;
    for (int dot = 0; dot < 320; ++dot) dots.insert({start + dot, start + 480 + dot});
    for (int dot = 320 + first_halftone_dot; dot < 480; dot += 4) dots.insert(start + dot);
  }
  return dots;
}

std::set<int> AlignmentRow(bool black_on_odd, std::size_t band, int row) {
  const auto colour = static_cast<int>(band % 6);  // 0 black, then C, LC, M, LM, Y
  const bool black_row = (row % 2 == 1) == black_on_odd;
  if (colour == 0 && black_row) {
    std::set<int> dots;
    for (int column = 0; column < 5; ++column) dots.merge(Ticks(column));
    return dots;
  }
  if (colour != 0 && !black_row) return Ticks(colour - 1);
  return {};
}

int AlignmentRuns(bool black_on_odd, std::size_t band, int row) {
  static constexpr int kColourRuns[] = {86,         0 + 17 + 3, 1 + 17 + 3,
                                        2 + 17 + 2, 3 + 17 + 2, 4 + 17 + 1};
  const auto colour = static_cast<int>(band % 6);
  const bool black_row = (row % 2 == 1) == black_on_odd;
  return black_row == (colour == 0) ? kColourRuns[colour] : 3;
}

std::vector<PatternCase> PatternCases() {
  constexpr uint8_t BK = 0x00, C = 0x02, LC = 0x12, M = 0x01, LM = 0x11, Y = 0x04;
  const std::string odd_caption = "  ( Firing Nozzle Number : BK = Odd,  Color = Even )";
  const std::string even_caption = "  ( Firing Nozzle Number : Color = Odd,  BK = Even )";
  using std::string_literals::operator""s;
  return {
      {"beta black",
       PrintBetaBlack,
       "Beta( BK-C-LC-M-LM-Y )\0"s,
       Repeated<uint8_t>({BK}, 6),
       {1, 1, 1, 141, 1, 1, 1, 141},
       0,
       BetaBlackRow,
       [](std::size_t, int) { return 12; }},
      {"beta color",
       PrintBetaColor,
       "",
       Repeated<uint8_t>({C, LC, M, LM, Y}, 6),
       {1, 1, 1, 141, 1, 1, 1, 141},
       30,
       [](std::size_t band, int) { return Stripe(72 * static_cast<int>(band % 5), 72); },
       [](std::size_t, int) { return 5; }},
      {"nozzle check black cyan",
       PrintNozzleCheckBlackCyan,
       "Nozzle Check( BK-C-LC-M-LM-Y )\0"s,
       Repeated<uint8_t>({BK, C, LC}, 2),
       {144, 144},
       6,
       [](std::size_t band, int) { return Stripe(120 * static_cast<int>(band % 3), 120); },
       [](std::size_t, int) { return 3; }},
      {"nozzle check magenta yellow",
       PrintNozzleCheckMagentaYellow,
       "",
       Repeated<uint8_t>({M, LM, Y}, 2),
       {144, 144},
       6,
       [](std::size_t band, int) { return Stripe(120 * static_cast<int>(band % 3), 120); },
       [](std::size_t, int) { return 3; }},
      {"horizontal alignment black odd",
       PrintHorizontalAlignmentBkOdd,
       "Horizontal Alignment( BK-C-LC-M-LM-Y )\0"s + odd_caption + '\0',
       Repeated<uint8_t>({BK, C, LC, M, LM, Y}, 3),
       {1, 1, 1},
       18,
       [](std::size_t band, int row) { return AlignmentRow(true, band, row); },
       [](std::size_t band, int row) { return AlignmentRuns(true, band, row); }},
      {"horizontal alignment black even",
       PrintHorizontalAlignmentBkEven,
       even_caption + '\0',
       Repeated<uint8_t>({BK, C, LC, M, LM, Y}, 3),
       {1, 1, 1},
       18,
       [](std::size_t band, int row) { return AlignmentRow(false, band, row); },
       [](std::size_t band, int row) { return AlignmentRuns(false, band, row); }},
  };
}

TEST_F(PatternTest, EveryRowOfEveryBandHoldsItsDots) {
  for (const auto& c : PatternCases()) {
    SCOPED_TRACE(c.name);
    script.writes.clear();
    EXPECT_EQ(c.print(raster), PORT_OK);
    const auto stream = Decoded();
    ASSERT_THAT(stream.error, IsEmpty());
    EXPECT_EQ(stream.Text(), c.text);
    EXPECT_EQ(Advances(stream), c.advances);
    EXPECT_EQ(stream.Named("ESC <").size(), c.ended_bands);
    EXPECT_EQ(stream.elements.back().name, "ESC @");

    const auto bands = stream.Bands();
    ASSERT_EQ(bands.size(), c.band_inks.size());
    for (std::size_t band = 0; band < bands.size(); ++band) {
      EXPECT_EQ(bands[band]->name, "ESC .");
      EXPECT_EQ(bands[band]->ink, c.band_inks[band]) << "band " << band;
      ASSERT_THAT(bands[band]->rows, SizeIs(48));
      for (int row = 1; row <= 48; ++row) {
        const auto at = static_cast<std::size_t>(row - 1);
        EXPECT_EQ(OneBitDots(bands[band]->rows[at]), c.dots(band, row))
            << "band " << band << " row " << row;
        EXPECT_EQ(bands[band]->runs[at], c.runs(band, row)) << "band " << band << " row " << row;
      }
    }
  }
}

TEST_F(PatternTest, OnlyTheAlignmentPatternsSetAColourMode) {
  for (const auto& c : PatternCases()) {
    script.writes.clear();
    EXPECT_EQ(c.print(raster), PORT_OK);
    const auto stream = Decoded();
    const bool alignment = c.name.starts_with("horizontal");
    EXPECT_EQ(Parameters(stream, "ESC (K", 6), alignment ? std::vector<int>{2} : std::vector<int>{})
        << c.name;
    EXPECT_EQ(Parameters(stream, "ESC U", 2), std::vector<int>{1}) << c.name;
    EXPECT_EQ(Parameters(stream, "ESC (e", 6), std::vector<int>{0}) << c.name;
  }
}

TEST_F(PatternTest, APatternOnAClosedPortSendsOnAndReportsItsLastWrite) {
  port.Close();
  for (const auto& c : PatternCases()) EXPECT_EQ(c.print(raster), ERR_PORT_NOT_OPEN) << c.name;
  EXPECT_EQ(PrintBidPattern(raster, command, BidKind::Ms, INK_BLACK), ERR_PORT_NOT_OPEN);
}

// Bi-D blocks

struct BidValues {
  int black;
  int color;
};

BidValues SlotsOf(const PageElement& frame) {
  const auto slot = [&](std::size_t at) {
    return static_cast<int16_t>(frame.bytes.at(at) | frame.bytes.at(at + 1) << 8);
  };
  return {slot(11), slot(13)};
}

bool operator==(const BidValues& a, const BidValues& b) {
  return a.black == b.black && a.color == b.color;
}

void PrintTo(const BidValues& v, std::ostream* os) {
  *os << '(' << v.black << ", " << v.color << ')';
}

std::vector<std::string> PrintedValues(const std::string& text) {
  const std::string lead("data = \0", 8);
  std::vector<std::string> fields;
  for (auto at = text.find(lead); at != std::string::npos; at = text.find(lead, at + 1)) {
    fields.push_back(text.substr(at + lead.size(), 4));
  }
  return fields;
}

std::string Field(std::string number) {
  number.resize(4, '\0');
  return number;
}

class BidPatternTest : public testing::RasterFixture {
 protected:
  // A printer that keeps what it is set to and holds the pair of `kind`.
  void HoldPair(BidKind kind, int8_t black, int8_t color) {
    script.eeprom.emplace();
    (*script.eeprom)[BidAddress(kind, INK_BLACK)] = static_cast<uint8_t>(black);
    (*script.eeprom)[BidAddress(kind, INK_COLOR)] = static_cast<uint8_t>(color);
  }
  // The Bi-D frames sent, and the addresses of the read requests.
  static std::vector<BidValues> BidFrames(const testing::DecodedStream& stream) {
    std::vector<BidValues> sent;
    for (const auto* frame : stream.ServiceFrames()) {
      if (frame->bytes.at(7) == 0x00) sent.push_back(SlotsOf(*frame));
    }
    return sent;
  }
  static std::vector<int> ReadAddresses(const testing::DecodedStream& stream) {
    std::vector<int> read;
    for (const auto* frame : stream.ServiceFrames()) {
      if (frame->bytes.at(7) == 0x41) read.push_back(frame->bytes.back());
    }
    return read;
  }

  testing::DecodedStream Print(BidKind kind, uint8_t ink_group, int8_t black, int8_t color) {
    script.writes.clear();
    HoldPair(kind, black, color);
    EXPECT_EQ(PrintBidPattern(raster, command, kind, ink_group), PORT_OK);
    auto stream = Decoded();
    EXPECT_THAT(stream.error, IsEmpty());
    return stream;
  }
};

TEST_F(BidPatternTest, PrintsTheStoredValueOfItsInkGroupAndTheFourAroundIt) {
  struct Case {
    BidKind kind;
    uint8_t ink_group;
    int8_t black, color;
    std::vector<std::string> printed;
  };
  const std::vector<Case> cases{
      {BidKind::Ms, INK_BLACK, 72, 5, {"68", "69", "70", "71", "72"}},
      {BidKind::Ms, INK_BLACK, -71, 5, {"-71", "-70", "-69", "-68", "-67"}},
      {BidKind::Pl4, INK_BLACK, 0, 5, {"-2", "-1", "0", "1", "2"}},
      {BidKind::Pl6, INK_COLOR, 5, -128, {"126", "127", "-128", "-127", "-126"}},
  };
  for (const auto& c : cases) {
    const auto stream = Print(c.kind, c.ink_group, c.black, c.color);
    std::vector<std::string> fields;
    for (const auto& number : c.printed) fields.push_back(Field(number));
    EXPECT_THAT(PrintedValues(stream.Text()), ElementsAreArray(fields)) << c.printed[0];
  }
}

TEST_F(BidPatternTest, TextOfTheFirstBlockIsByteExact) {
  using std::string_literals::operator""s;
  const auto stream = Print(BidKind::Ms, INK_BLACK, 72, 5);
  const std::string gap = "       \0"s;
  EXPECT_EQ(stream.Text(), "Bi-d\0 MS Black\0"s +
                               "data = \0"
                               "68\0\0"s +
                               gap +
                               "data = \0"
                               "69\0\0"s +
                               gap +
                               "data = \0"
                               "70\0\0"s +
                               gap +
                               "data = \0"
                               "71\0\0"s +
                               gap +
                               "data = \0"
                               "72\0\0"s);
  EXPECT_EQ(Print(BidKind::Pl6, INK_COLOR, 0, 0).Text().substr(0, 11), " 6pl Color\0"s);
}

TEST_F(BidPatternTest, TrialsSetEachValueInTurnAndTheBlockSetsBackWhatItRead) {
  const auto stream = Print(BidKind::Ms, INK_BLACK, 72, -71);
  for (const auto* frame : stream.ServiceFrames()) {
    if (frame->bytes.at(7) == 0x00) {
      EXPECT_EQ(frame->bytes.at(10), 1) << "MS is Bi-D kind 1";
    }
  }
  const std::vector<BidValues> trials{{68, -71}, {69, -70}, {70, -69}, {71, -68}, {72, -67}};
  auto expected = Repeated(trials, 3);
  expected.push_back({72, -71});
  EXPECT_THAT(BidFrames(stream), ElementsAreArray(expected));
  // The pair is read before the block, and after every trial and the setting back.
  std::vector<int> reads;
  for (std::size_t k = 0; k < 1 + expected.size(); ++k) {
    reads.insert(reads.end(), {0x33, 0x36});
  }
  EXPECT_THAT(ReadAddresses(stream), ElementsAreArray(reads));

  // After the last pass: the values set back, read back, and the printer reset to text.
  std::vector<std::string> ending;
  for (auto element = stream.elements.end() - 6; element != stream.elements.end(); ++element) {
    ending.push_back(element->name);
  }
  EXPECT_THAT(ending,
              ::testing::ElementsAre("ESC (v", "CR", "service", "service", "service", "ESC @"));
}

// A printer that stops taking Bi-D values after the first trial: the second trial reads back
// wrong, no more trials go out, and the pair is still sent back; the value it could not set
// back is the one named.
TEST_F(BidPatternTest, TrialThePrinterDoesNotTakeEndsTheTrials) {
  HoldPair(BidKind::Ms, 3, -2);
  script.bid_frames_held = 1;
  EXPECT_EQ(PrintBidPattern(raster, command, BidKind::Ms, INK_BLACK), ERR_WRITE_NOT_HELD);
  EXPECT_EQ(command.Message(ERR_WRITE_NOT_HELD),
            "Verify error at address 33: written 03, read back 01.");
  EXPECT_THAT(BidFrames(Decoded()),
              ::testing::ElementsAre(BidValues{1, -4}, BidValues{2, -3}, BidValues{3, -2}));
}

TEST_F(BidPatternTest, PairThatCannotBeReadIsNeitherPrintedAroundNorSetBack) {
  struct Case {
    std::string name;
    std::vector<Bytes> replies;
    Result result;
    std::size_t requests;
  };
  for (const Case& c : std::vector<Case>{
           // A reply that timed out would take the next case's reply for its own: they come last.
           {"bad reply", {testing::ReplyWith(3, "@XYZ PS")}, ERR_BAD_REPLY, 1},
           {"Color value lost", {testing::ReplyWith(3)}, ERR_RECEIVE_TIMEOUT, 2},
           {"no answer", {}, ERR_RECEIVE_TIMEOUT, 1},
       }) {
    script.writes.clear();
    script.packets = {c.replies.begin(), c.replies.end()};
    EXPECT_EQ(PrintBidPattern(raster, command, BidKind::Ms, INK_BLACK), c.result) << c.name;
    const auto stream = Decoded();
    EXPECT_EQ(stream.elements.size(), c.requests) << c.name;
    EXPECT_THAT(stream.ServiceFrames(), SizeIs(c.requests)) << c.name;
  }
}

TEST_F(BidPatternTest, RestoreThePrinterDoesNotHoldNamesTheValueLeftChanged) {
  struct Case {
    std::size_t bid_frames_held;
    std::size_t reads_answered;
    Result result;
    std::string message;
  };
  // 15 trials, each read back as a pair, after the pair read before the block.
  constexpr std::size_t kReadsBeforeRestore = 2 + 15 * 2;
  for (const Case& c : std::vector<Case>{
           {15, SIZE_MAX, ERR_WRITE_NOT_HELD,
            "Verify error at address 33: written 03, read back 05."},
           {SIZE_MAX, kReadsBeforeRestore, ERR_WRITE_UNREADABLE,
            "Verify error at address 33: written 03, cannot be read back (Receive error)."},
       }) {
    script.packets.clear();
    HoldPair(BidKind::Ms, 3, -2);
    script.bid_frames_held = c.bid_frames_held;
    script.reads_answered = c.reads_answered;
    EXPECT_EQ(PrintBidPattern(raster, command, BidKind::Ms, INK_BLACK), c.result) << c.message;
    EXPECT_EQ(command.Message(c.result), c.message);
  }
}

TEST_F(BidPatternTest, ValueSentAsNotSetIsTriedAndRestoredAsReadToo) {
  const auto stream = Print(BidKind::Pl4, INK_COLOR, -128, 71);
  const auto sent = BidFrames(stream);
  ASSERT_EQ(sent.size(), 16u);
  EXPECT_EQ(sent.front(), (BidValues{-130, 67}));
  EXPECT_EQ(sent.back(), (BidValues{-128, 71}));
  // That -128 would leave the value before it in force: its byte is written as well, in the
  // middle trial of each pass and when the pair is set back.
  std::size_t byte_writes = 0;
  for (const auto* frame : stream.ServiceFrames()) {
    if (frame->bytes.at(7) != 0x42) continue;
    ++byte_writes;
    EXPECT_THAT(std::vector<uint8_t>(frame->bytes.end() - 2, frame->bytes.end()),
                ::testing::ElementsAre(0x35, 0x80));
  }
  EXPECT_EQ(byte_writes, 3u + 1u);
}

struct BidStyleCase {
  BidKind kind;
  uint8_t ink_group;
  int dot_size;
  int color_mode;
  uint8_t reference_ink;
  uint8_t trial_ink;
};

TEST_F(BidPatternTest, ReferenceAndTrialBandsCarryTheirBars) {
  const std::vector<BidStyleCase> cases{
      {BidKind::Ms, INK_BLACK, 0x12, 1, 0x00, 0x00},
      {BidKind::Pl6, INK_COLOR, 0x11, 0, 0x11, 0x12},
      {BidKind::Pl4, INK_BLACK, 0x10, 1, 0x00, 0x00},
  };
  std::map<int, int> reference_marks;
  for (int column = 0; column < 5; ++column) {
    for (int group = 1; group <= 5; ++group) reference_marks[48 * (group + 13 * column)] = 2;
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dot_size);
    const auto stream = Print(c.kind, c.ink_group, 0, 0);
    EXPECT_EQ(Parameters(stream, "ESC (e", 6), Repeated<int>({c.dot_size}, 18));
    EXPECT_EQ(Parameters(stream, "ESC (K", 6), Repeated<int>({c.color_mode}, 18));
    EXPECT_EQ(Parameters(stream, "ESC U", 2), Repeated<int>({1, 0, 0, 0, 0, 0}, 3));
    EXPECT_EQ(stream.Named("ESC (D").size(), 18u);
    EXPECT_EQ(Advances(stream), (std::vector<int>{1, 1, 1}));

    const auto bands = stream.Bands();
    ASSERT_THAT(bands, SizeIs(3 * 11));
    for (std::size_t band = 0; band < bands.size(); ++band) {
      SCOPED_TRACE(band);
      const auto& rows = bands[band]->rows;
      ASSERT_EQ(bands[band]->name, "ESC i");
      ASSERT_THAT(rows, SizeIs(48));
      EXPECT_THAT(rows, Each(SizeIs(720)));
      const auto slot = band % 11;  // 0 reference, then lead-in and trial for columns 1 to 5
      EXPECT_EQ(bands[band]->ink, slot == 0 ? c.reference_ink : c.trial_ink);
      for (int row = 1; row <= 48; ++row) {
        const bool middle = row >= 17 && row <= 32;
        std::map<int, int> expected;
        if (slot == 0 && !middle) expected = reference_marks;
        if (slot % 2 == 1 && row == 48) expected = {{2835, 1}};
        if (slot != 0 && slot % 2 == 0 && middle) {
          const auto column = static_cast<int>(slot / 2 - 1);
          for (int group = 1; group <= 5; ++group) expected[48 * (group + 13 * column)] = 2;
          if (row == 32) expected[3] = 1;
        }
        EXPECT_EQ(TwoBitDots(rows[static_cast<std::size_t>(row - 1)]), expected) << "row " << row;
      }
    }
  }
}

}  // namespace
}  // namespace opal
