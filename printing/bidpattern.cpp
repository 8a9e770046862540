#include "printing/bidpattern.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "printing/patternrows.h"

namespace opal {
namespace {

// A page's commands are sent whatever the ones before gave, as the page needs each in its place:
// a printer that stops taking bytes fails the rest of the job at once, so the result a pattern
// returns (its last command's) tells. The results dropped on the way are dropped for that reason.

using pattern::kBandRows;
using pattern::kBidirectional;
using pattern::kNextPass;
using pattern::kUnidirectional;
using pattern::kUnit;
using pattern::SendRows;
using pattern::SendTitleLine;

// Bi-D blocks: 2-bit bands of 60 groups of 12 bytes (48 dots) each.
constexpr int kGroups = 60;
constexpr int kMarkColumns = 5;
constexpr int kMarkColumnPitch = 13;
constexpr int kMarksPerColumn = 5;

enum class Group { Empty, Mark, SmallDot };

// Column 1 is groups 1-5, column 2 groups 14-18, and so on.
bool InMarkColumn(int group, int column) {
  const int first = 1 + kMarkColumnPitch * (column - 1);
  return group >= first && group < first + kMarksPerColumn;
}

bool InAnyMarkColumn(int group) {
  for (int column = 1; column <= kMarkColumns; ++column) {
    if (InMarkColumn(group, column)) return true;
  }
  return false;
}

template <typename GroupAt>
void SendTwoBitRow(TRasterPrinter& raster, GroupAt group_at) {
  for (int group = 0; group < kGroups; ++group) {
    switch (group_at(group)) {
      case Group::Mark:  // dot 48g at dot size 2
        DropResult(raster.SendRun(1, 0x80));
        DropResult(raster.SendRun(11, 0));
        break;
      case Group::SmallDot:  // dot 48g + 3 at dot size 1
        DropResult(raster.SendRun(1, 0x01));
        DropResult(raster.SendRun(11, 0));
        break;
      case Group::Empty:
        DropResult(raster.SendRun(12, 0));
        break;
    }
  }
}

// Compressed, 2 bits per dot, 720 bytes per row, 48 rows.
void SendTwoBitTransfer(TRasterPrinter& raster, uint8_t ink) {
  DropResult(raster.SendRasterTransfer(ink, 1, 2, 0xD0, 0x02, 0x30, 0x00));
}

// Base 360: 120 rows and 360 dots per inch.
void SendTwoBitResolution(TRasterPrinter& raster) {
  DropResult(raster.SendRasterResolution(0x68, 0x01, 3, 1));
}

bool InMiddleRows(int row) {
  return row >= 17 && row <= 32;
}

void SendReferenceBand(TRasterPrinter& raster) {
  SendRows([&](int row) {
    SendTwoBitRow(raster, [&](int group) {
      return !InMiddleRows(row) && InAnyMarkColumn(group) ? Group::Mark : Group::Empty;
    });
  });
}

// The carriage has to cross the whole width on the trial's pass: a small dot at the far right
// here and one at the far left of the trial band.
void SendLeadInBand(TRasterPrinter& raster) {
  SendRows([&](int row) {
    SendTwoBitRow(raster, [&](int group) {
      return row == kBandRows && group == kGroups - 1 ? Group::SmallDot : Group::Empty;
    });
  });
}

void SendTrialBand(TRasterPrinter& raster, int column) {
  SendRows([&](int row) {
    SendTwoBitRow(raster, [&](int group) {
      if (!InMiddleRows(row)) return Group::Empty;
      if (InMarkColumn(group, column)) return Group::Mark;
      return row == 32 && group == 0 ? Group::SmallDot : Group::Empty;
    });
  });
}

struct BidInkStyle {
  uint8_t color_mode;
  uint8_t reference_ink;
  uint8_t trial_ink;
};
constexpr BidInkStyle kBlackStyle{1, TRANSFER_INK_BLACK, TRANSFER_INK_BLACK};
constexpr BidInkStyle kColorStyle{0, TRANSFER_INK_LIGHT_MAGENTA, TRANSFER_INK_LIGHT_CYAN};

uint8_t DotSizeCode(BidKind kind) {
  switch (kind) {
    case BidKind::Ms:
      return 0x12;
    case BidKind::Pl6:
      return 0x11;
    case BidKind::Pl4:
      return 0x10;
  }
  return 0x12;
}

// Keeps the outermost trial within what the printer takes.
int CentreOfTrials(int8_t stored) {
  switch (stored) {
    case 72:
      return 70;
    case 71:
      return 69;
    case -72:
      return -70;
    case -71:
      return -69;
    default:
      return stored;
  }
}

// A value, wrapped to a signed byte, as decimal text in a 4-byte field filled up with NUL bytes.
std::array<uint8_t, 4> NumberField(int value) {
  std::array<char, 4> text{};
  std::to_chars(text.data(), text.data() + text.size(),
                static_cast<int>(static_cast<int8_t>(value)));
  std::array<uint8_t, 4> field{};
  std::copy(text.begin(), text.end(), field.begin());
  return field;
}

constexpr int kTrialSpread = 2;

// The line's texts and fields go out as one write: a USB port waits for every write, and the
// bytes are the same as when each went on its own.
void SendBidValueLine(TRasterPrinter& raster, int centre) {
  std::vector<uint8_t> line;
  for (int offset = -kTrialSpread; offset <= kTrialSpread; ++offset) {
    AppendText(line, "data = ");
    const std::array<uint8_t, 4> field = NumberField(centre + offset);
    line.insert(line.end(), field.begin(), field.end());
    if (offset < kTrialSpread) AppendText(line, "       ");
  }
  DropResult(raster.SendBytes(line));
  DropResult(raster.SendNewLines(1));
  DropResult(raster.SendEndBand());
}

constexpr int kPasses = 3;

// The middle values of the trials: the stored values kept within what the printer takes.
struct TrialCentres {
  int black;
  int color;
};

// The reference bars and the five trials of every pass. A trial whose values do not go out ends
// the trials: bands printed with values other than the ones above them would mislead.
Result SendTrials(TRasterPrinter& raster, TFactoryCommand& command, BidKind kind,
                  const BidInkStyle& style, const TrialCentres& centre) {
  const uint8_t dot_size = DotSizeCode(kind);
  for (int pass = 0; pass < kPasses; ++pass) {
    DropResult(raster.SendInitialize());
    DropResult(raster.SendPrintSetup(kUnit, kUnidirectional, dot_size, style.color_mode));
    SendTwoBitResolution(raster);
    SendTwoBitTransfer(raster, style.reference_ink);
    SendReferenceBand(raster);
    DropResult(raster.SendEndBand());
    DropResult(raster.SendInitialize());
    for (int column = 1; column <= kMarkColumns; ++column) {
      const int offset = column - 1 - kTrialSpread;
      if (const Result set =
              TryBidPair(command, kind, centre.black + offset, centre.color + offset);
          set != PORT_OK) {
        return set;
      }
      DropResult(raster.SendPrintSetup(kUnit, kBidirectional, dot_size, style.color_mode));
      SendTwoBitResolution(raster);
      SendTwoBitTransfer(raster, style.trial_ink);
      SendLeadInBand(raster);
      DropResult(raster.SendEndBand());
      SendTwoBitTransfer(raster, style.trial_ink);
      SendTrialBand(raster, column);
      DropResult(raster.SendEndBand());
      DropResult(raster.SendInitialize());
    }
    DropResult(raster.SendAdvance(kNextPass));
  }
  return PORT_OK;
}

}  // namespace

Result PrintBidBlock(TRasterPrinter& raster, TFactoryCommand& command, BidKind kind,
                     uint8_t ink_group, const BidPair& stored) {
  const PrintJob job(raster.Port());
  const bool color = ink_group != INK_BLACK;
  if (kind == BidKind::Ms && !color) SendTitleLine(raster, "Bi-d");
  SendTitleLine(raster, " " + std::string(kBidRows[BidRowIndex(kind, ink_group)].label));
  const TrialCentres centre{CentreOfTrials(stored.black), CentreOfTrials(stored.color)};
  SendBidValueLine(raster, color ? centre.color : centre.black);

  const Result trials =
      SendTrials(raster, command, kind, color ? kColorStyle : kBlackStyle, centre);
  if (const Result restored = RestoreBidPair(command, kind, stored); restored != PORT_OK) {
    return restored;
  }
  const Result ended = raster.SendInitialize();
  return trials != PORT_OK ? trials : ended;
}

Result PrintBidPattern(TRasterPrinter& raster, TFactoryCommand& command, BidKind kind,
                       uint8_t ink_group) {
  BidPair stored;
  if (const Result read = ReadBidPair(command, kind, stored); read != PORT_OK) return read;
  return PrintBidBlock(raster, command, kind, ink_group, stored);
}

Result PrintBidBlocks(TRasterPrinter& raster, TFactoryCommand& command, const BidPairs& pairs) {
  const PrintJob job(raster.Port());
  FirstFailure line_feeds;
  for (std::size_t k = 0; k < kBidKinds.size(); ++k) {
    for (const uint8_t ink_group : {INK_BLACK, INK_COLOR}) {
      const Result block = PrintBidBlock(raster, command, kBidKinds[k], ink_group, pairs[k]);
      if (block != PORT_OK) return block;
      line_feeds.Note(raster.SendNewLines(3));
    }
  }
  return line_feeds.Get();
}

}  // namespace opal
