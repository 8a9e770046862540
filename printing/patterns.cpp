#include "printing/patterns.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <span>
#include <string>

namespace opal {
namespace {

constexpr uint8_t kUnit = 10;  // 1/360 inch for every vertical move
constexpr uint8_t kUnidirectional = 1;
constexpr uint8_t kBidirectional = 0;
constexpr uint8_t kOneBitDotSize = 0;
constexpr uint8_t kAlignmentColorMode = 2;
constexpr int kBandRows = 48;
constexpr uint8_t kNextPass = 1;  // the passes of one band lie 1/360 inch apart
constexpr uint8_t kBandHeight = 144;
constexpr uint8_t kBandHeightAfterPasses = kBandHeight - 3 * kNextPass;

bool IsOdd(int row) {
  return row % 2 == 1;
}

void SendTitleLine(TRasterPrinter& raster, std::string_view text) {
  raster.SendText(text);
  raster.SendNewLines(1);
}

// 1/120 inch between rows, 1/360 inch between dots, 48 rows of 2880 dots at 1 bit each.
void SendOneBitHeader(TRasterPrinter& raster) {
  raster.SendRasterHeader(30, 10, 48, 64, 11);
}

template <typename SendRow>
void SendRows(SendRow send_row) {
  for (int row = 1; row <= kBandRows; ++row) send_row(row);
}

void SendBlankOneBitRow(TRasterPrinter& raster) {
  for (int part = 0; part < 3; ++part) raster.SendRun(120, 0);
}

// One band per ink, each solid in its own of as many equal stripes across the row as there are
// inks, so the inks stand side by side.
void SendStripeBands(TRasterPrinter& raster, std::span<const uint8_t> inks) {
  const int stripes = static_cast<int>(inks.size());
  const int width = 360 / stripes;
  for (int lit = 0; lit < stripes; ++lit) {
    raster.SelectInk(inks[static_cast<std::size_t>(lit)]);
    SendOneBitHeader(raster);
    SendRows([&](int) {
      for (int stripe = 0; stripe < stripes; ++stripe) {
        raster.SendRun(width, stripe == lit ? 0xFF : 0);
      }
    });
    raster.SendEndBand();
  }
}

// 480 dots: eight single dots 48 dots apart, then 96 blank dots.
void SendTickUnit(TRasterPrinter& raster) {
  for (int tick = 0; tick < 8; ++tick) {
    raster.SendRun(1, 0x80);
    raster.SendRun(5, 0);
  }
  raster.SendRun(12, 0);
}

Result PrintNozzleLines(TRasterPrinter& raster, const std::array<uint8_t, 3>& inks) {
  raster.SendGraphicsSetup(kUnit, kUnidirectional, kOneBitDotSize);
  for (int group = 0; group < 2; ++group) {
    SendStripeBands(raster, inks);
    raster.SendAdvance(kBandHeight);
  }
  return raster.SendInitialize();
}

struct AlignmentColour {
  uint8_t ink;
  int tail_runs;  // the row after the colour's tick unit, blank
  int tail_width;
};
constexpr std::array<AlignmentColour, 5> kAlignmentColours{{
    {INK_CODE_CYAN, 3, 100},
    {INK_CODE_LIGHT_CYAN, 3, 80},
    {INK_CODE_MAGENTA, 2, 90},
    {INK_CODE_LIGHT_MAGENTA, 2, 60},
    {INK_CODE_YELLOW, 1, 60},
}};

Result PrintHorizontalAlignment(TRasterPrinter& raster, bool black_on_odd_rows) {
  const auto black_row = [&](int row) { return IsOdd(row) == black_on_odd_rows; };
  raster.SendPrintSetup(kUnit, kUnidirectional, kOneBitDotSize, kAlignmentColorMode);
  for (int pass = 0; pass < 3; ++pass) {
    raster.SelectInk(INK_CODE_BLACK);
    SendOneBitHeader(raster);
    SendRows([&](int row) {
      if (!black_row(row)) return SendBlankOneBitRow(raster);
      for (int column = 0; column < 5; ++column) SendTickUnit(raster);
      raster.SendRun(60, 0);
    });
    raster.SendEndBand();
    for (std::size_t column = 0; column < kAlignmentColours.size(); ++column) {
      const AlignmentColour& colour = kAlignmentColours[column];
      raster.SelectInk(colour.ink);
      SendOneBitHeader(raster);
      SendRows([&](int row) {
        if (black_row(row)) return SendBlankOneBitRow(raster);
        for (std::size_t before = 0; before < column; ++before) raster.SendRun(60, 0);
        SendTickUnit(raster);
        for (int run = 0; run < colour.tail_runs; ++run) raster.SendRun(colour.tail_width, 0);
      });
      raster.SendEndBand();
    }
    raster.SendAdvance(kNextPass);
  }
  return raster.SendInitialize();
}

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
        raster.SendRun(1, 0x80);
        raster.SendRun(11, 0);
        break;
      case Group::SmallDot:  // dot 48g + 3 at dot size 1
        raster.SendRun(1, 0x01);
        raster.SendRun(11, 0);
        break;
      case Group::Empty:
        raster.SendRun(12, 0);
        break;
    }
  }
}

// Compressed, 2 bits per dot, 720 bytes per row, 48 rows.
void SendTwoBitTransfer(TRasterPrinter& raster, uint8_t ink) {
  raster.SendRasterTransfer(ink, 1, 2, 0xD0, 0x02, 0x30, 0x00);
}

// Base 360: 120 rows and 360 dots per inch.
void SendTwoBitResolution(TRasterPrinter& raster) {
  raster.SendRasterResolution(0x68, 0x01, 3, 1);
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

void SendBidValueLine(TRasterPrinter& raster, int centre) {
  for (int offset = -kTrialSpread; offset <= kTrialSpread; ++offset) {
    raster.SendText("data = ");
    raster.SendBytes(NumberField(centre + offset));
    if (offset < kTrialSpread) raster.SendText("       ");
  }
  raster.SendNewLines(1);
  raster.SendEndBand();
}

}  // namespace

Result PrintBetaBlack(TRasterPrinter& raster) {
  const PrintJob job(raster.Port());
  SendTitleLine(raster, "Beta( BK-C-LC-M-LM-Y )");
  raster.SendGraphicsSetup(kUnit, kUnidirectional, kOneBitDotSize);
  raster.SelectInk(INK_CODE_BLACK);
  for (int group = 0; group < 2; ++group) {
    for (int pass = 0; pass < 3; ++pass) {
      SendOneBitHeader(raster);
      SendRows([&](int row) {
        // A 25 % checkerboard that the middle pass turns over.
        const uint8_t halftone = IsOdd(row) == (pass != 1) ? 0x88 : 0x22;
        for (int copy = 0; copy < 3; ++copy) {
          raster.SendRun(40, 0xFF);
          raster.SendRun(20, halftone);
          raster.SendRun(40, 0xFF);
          raster.SendRun(20, 0);
        }
      });
      raster.SendAdvance(kNextPass);
    }
    raster.SendAdvance(kBandHeightAfterPasses);
  }
  return raster.SendInitialize();
}

Result PrintBetaColor(TRasterPrinter& raster) {
  const PrintJob job(raster.Port());
  constexpr std::array<uint8_t, 5> kInks{INK_CODE_CYAN, INK_CODE_LIGHT_CYAN, INK_CODE_MAGENTA,
                                         INK_CODE_LIGHT_MAGENTA, INK_CODE_YELLOW};
  raster.SendGraphicsSetup(kUnit, kUnidirectional, kOneBitDotSize);
  for (int group = 0; group < 2; ++group) {
    for (int pass = 0; pass < 3; ++pass) {
      SendStripeBands(raster, kInks);
      raster.SendAdvance(kNextPass);
    }
    raster.SendAdvance(kBandHeightAfterPasses);
  }
  return raster.SendInitialize();
}

Result PrintNozzleCheckBlackCyan(TRasterPrinter& raster) {
  const PrintJob job(raster.Port());
  SendTitleLine(raster, "Nozzle Check( BK-C-LC-M-LM-Y )");
  return PrintNozzleLines(raster, {INK_CODE_BLACK, INK_CODE_CYAN, INK_CODE_LIGHT_CYAN});
}

Result PrintNozzleCheckMagentaYellow(TRasterPrinter& raster) {
  const PrintJob job(raster.Port());
  return PrintNozzleLines(raster, {INK_CODE_MAGENTA, INK_CODE_LIGHT_MAGENTA, INK_CODE_YELLOW});
}

Result PrintHorizontalAlignmentBkOdd(TRasterPrinter& raster) {
  const PrintJob job(raster.Port());
  SendTitleLine(raster, "Horizontal Alignment( BK-C-LC-M-LM-Y )");
  SendTitleLine(raster, "  ( Firing Nozzle Number : BK = Odd,  Color = Even )");
  return PrintHorizontalAlignment(raster, true);
}

Result PrintHorizontalAlignmentBkEven(TRasterPrinter& raster) {
  const PrintJob job(raster.Port());
  SendTitleLine(raster, "  ( Firing Nozzle Number : Color = Odd,  BK = Even )");
  return PrintHorizontalAlignment(raster, false);
}

Result PrintBidPattern(TRasterPrinter& raster, TFactoryCommand& command, BidKind kind,
                       uint8_t ink_group) {
  const PrintJob job(raster.Port());
  const bool color = ink_group != INK_BLACK;
  if (kind == BidKind::Ms && !color) SendTitleLine(raster, "Bi-d");
  raster.SendText(" " + std::string(kBidRows[BidRowIndex(kind, ink_group)].label));

  const auto black_read =
      static_cast<int8_t>(command.EepromReadByteUnchecked(BidAddress(kind, INK_BLACK)));
  const auto color_read =
      static_cast<int8_t>(command.EepromReadByteUnchecked(BidAddress(kind, INK_COLOR)));
  raster.SendNewLines(1);
  const int black_centre = CentreOfTrials(black_read);
  const int color_centre = CentreOfTrials(color_read);
  SendBidValueLine(raster, color ? color_centre : black_centre);

  const BidInkStyle& style = color ? kColorStyle : kBlackStyle;
  const uint8_t dot_size = DotSizeCode(kind);
  const auto kind_number = static_cast<uint8_t>(kind);
  for (int pass = 0; pass < 3; ++pass) {
    raster.SendInitialize();
    raster.SendPrintSetup(kUnit, kUnidirectional, dot_size, style.color_mode);
    SendTwoBitResolution(raster);
    SendTwoBitTransfer(raster, style.reference_ink);
    SendReferenceBand(raster);
    raster.SendEndBand();
    raster.SendInitialize();
    for (int column = 1; column <= kMarkColumns; ++column) {
      const int offset = column - 1 - kTrialSpread;
      command.SetBidValue(kind_number, black_centre + offset, color_centre + offset);
      raster.SendPrintSetup(kUnit, kBidirectional, dot_size, style.color_mode);
      SendTwoBitResolution(raster);
      SendTwoBitTransfer(raster, style.trial_ink);
      SendLeadInBand(raster);
      raster.SendEndBand();
      SendTwoBitTransfer(raster, style.trial_ink);
      SendTrialBand(raster, column);
      raster.SendEndBand();
      raster.SendInitialize();
    }
    raster.SendAdvance(kNextPass);
  }
  command.SetBidValue(kind_number, black_read, color_read);
  // A slot sent as kBidSlotUnchanged is left alone, so a stored -128 cannot come back that way:
  // its byte is written back as it was, or the printer would keep the last trial's value.
  for (const auto& [ink, value] : {std::pair{INK_BLACK, black_read}, {INK_COLOR, color_read}}) {
    if (value == kBidSlotUnchanged) {
      command.EepromWriteByte(BidAddress(kind, ink), static_cast<uint8_t>(kBidSlotUnchanged));
    }
  }
  return raster.SendInitialize();
}

}  // namespace opal
