#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/virtualprinter/pagebytes.h"
#include "tests/virtualprinter/printedpages.h"

namespace vp::testing {
namespace {

using vp::testing::PrintTo;

// A Bi-D check block as the pattern is defined: a unidirectional reference band with marks in
// rows 1-16 and 33-48 of all five columns, then for each trial n a Bi-D value, a bidirectional
// lead-in band (its dot far right sends the head back) and the trial band, printed on the way
// back, with marks in rows 17-32 of column n. A mark is dot 48g of group g; column n holds the
// groups 13n + 1 to 13n + 5.
struct BidBlock {
  uint8_t kind;      // 1 MS, 2 6pl, 3 4pl
  uint8_t dot_size;  // 0x12, 0x11, 0x10
  bool color;
  int first_value;  // the value of trial 0; each trial one more
};

Bytes Setup(uint8_t direction, const BidBlock& block) {
  return Concat({page::Initialize(), page::GraphicsMode(), page::Unit(10),
                 page::Direction(direction), page::DotSize(block.dot_size),
                 page::ColorMode(block.color ? 0 : 1)});
}

Bytes MarkRow(std::optional<int> only_column) {
  Bytes row(720, 0);
  for (int column = 0; column < 5; ++column) {
    if (only_column && *only_column != column) continue;
    for (int group = 13 * column + 1; group <= 13 * column + 5; ++group) row[group * 12] = 0x80;
  }
  return row;
}

Bytes Band(uint8_t ink, const std::vector<Bytes>& rows) {
  return Concat({page::RasterTransfer(ink, 720, 48), page::RunLength(rows), page::EndBand()});
}

Bytes BidBlockStream(const BidBlock& block) {
  const uint8_t reference_ink = block.color ? 0x11 : 0x00;
  const uint8_t trial_ink = block.color ? 0x12 : 0x00;
  std::vector<Bytes> reference;
  for (int k = 0; k < 48; ++k) reference.push_back(k < 16 || k >= 32 ? MarkRow({}) : Bytes(720, 0));
  Bytes stream = Concat({Setup(1, block), page::RasterResolution(), Band(reference_ink, reference),
                         page::Initialize()});
  for (int trial = 0; trial < 5; ++trial) {
    const auto value = static_cast<int8_t>(block.first_value + trial);
    std::vector<Bytes> lead_in(48, Bytes(720, 0));
    lead_in[47][59 * 12] = 0x01;
    std::vector<Bytes> marks;
    for (int k = 0; k < 48; ++k)
      marks.push_back(k >= 16 && k < 32 ? MarkRow(trial) : Bytes(720, 0));
    marks[31][0] = 0x01;
    stream = Concat({stream, page::SetBidValue(block.kind, value, value), Setup(0, block),
                     page::RasterResolution(), Band(trial_ink, lead_in), Band(trial_ink, marks),
                     page::Initialize()});
  }
  return Concat({stream, page::FormFeed()});
}

// How far right of its place mark `group` stands in the pixel row `y`; nullopt when it is not
// within reach.
std::optional<int> MarkOffset(const QImage& sheet, int group, int y) {
  const int place = kOrigin + 48 * group;
  for (int offset = -20; offset <= 20; ++offset) {
    if (Inked(sheet, place + offset, y)) return offset;
  }
  return std::nullopt;
}

struct BidCase {
  const char* name;
  BidBlock block;
  int aligned_column;
};

class BidSimulationTest : public PrinterTest, public ::testing::WithParamInterface<BidCase> {};

TEST_P(BidSimulationTest, TheColumnWhoseValueCancelsTheMisalignmentLinesUp) {
  // A different misalignment in every row, so that a mix-up of rows shows.
  const Simulation simulation{.bid_misalignment = {4, -6, 7, -1, 0, 5}};
  printer_.SetSimulation(simulation);
  const BidBlock& block = GetParam().block;
  const int misalignment = simulation.bid_misalignment[(block.kind - 1) * 2 + block.color];
  printer_.Feed(BidBlockStream(block), kNow);
  const QImage sheet = LoadPage(printer_, 1);
  ASSERT_FALSE(sheet.isNull());
  EXPECT_EQ(printer_.UnknownCommands(), 0u);
  int aligned = -1;
  for (int column = 0; column < 5; ++column) {
    const int expected = misalignment - (block.first_value + column);
    for (int group = 13 * column + 1; group <= 13 * column + 5; ++group) {
      SCOPED_TRACE("column " + std::to_string(column) + " group " + std::to_string(group));
      // Reference bars (unidirectional) stand in place above and below; the trial's middle bar
      // lands off by the misalignment less the value in force.
      EXPECT_EQ(MarkOffset(sheet, group, kOrigin), 0);
      EXPECT_EQ(MarkOffset(sheet, group, kOrigin + 47 * 3), 0);
      EXPECT_EQ(MarkOffset(sheet, group, kOrigin + 16 * 3), expected);
    }
    if (MarkOffset(sheet, 13 * column + 1, kOrigin + 16 * 3) == 0) aligned = column;
  }
  EXPECT_EQ(aligned, GetParam().aligned_column);
}

INSTANTIATE_TEST_SUITE_P(Blocks, BidSimulationTest,
                         ::testing::Values(BidCase{"MsBlack", {1, 0x12, false, 1}, 3},
                                           BidCase{"MsColor", {1, 0x12, true, -8}, 2},
                                           BidCase{"SixPlBlack", {2, 0x11, false, 5}, 2},
                                           BidCase{"SixPlColor", {2, 0x11, true, -2}, 1},
                                           BidCase{"FourPlBlack", {3, 0x10, false, 0}, 0},
                                           BidCase{"FourPlColor", {3, 0x10, true, 1}, 4}),
                         kCaseName);

}  // namespace
}  // namespace vp::testing
