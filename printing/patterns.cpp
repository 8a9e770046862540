#include "printing/patterns.h"

#include <array>
#include <span>

#include "printing/patternrows.h"

namespace opal {
namespace {

// A page's commands are sent whatever the ones before gave, as the page needs each in its place:
// a printer that stops taking bytes fails the rest of the job at once, so the result a pattern
// returns (its last command's) tells. The results dropped on the way are dropped for that reason.

using pattern::kNextPass;
using pattern::kUnidirectional;
using pattern::kUnit;
using pattern::SendRows;
using pattern::SendTitleLine;

constexpr uint8_t kOneBitDotSize = 0;
constexpr uint8_t kAlignmentColorMode = 2;
constexpr uint8_t kBandHeight = 144;
constexpr uint8_t kBandHeightAfterPasses = kBandHeight - 3 * kNextPass;

bool IsOdd(int row) {
  return row % 2 == 1;
}

// 1/120 inch between rows, 1/360 inch between dots, 48 rows of 2880 dots at 1 bit each.
void SendOneBitHeader(TRasterPrinter& raster) {
  DropResult(raster.SendRasterHeader(30, 10, 48, 64, 11));
}

void SendBlankOneBitRow(TRasterPrinter& raster) {
  for (int part = 0; part < 3; ++part) DropResult(raster.SendRun(120, 0));
}

// One band per ink, each solid in its own of as many equal stripes across the row as there are
// inks, so the inks stand side by side.
void SendStripeBands(TRasterPrinter& raster, std::span<const uint8_t> inks) {
  const int stripes = static_cast<int>(inks.size());
  const int width = 360 / stripes;
  for (int lit = 0; lit < stripes; ++lit) {
    DropResult(raster.SelectInk(inks[static_cast<std::size_t>(lit)]));
    SendOneBitHeader(raster);
    SendRows([&](int) {
      for (int stripe = 0; stripe < stripes; ++stripe) {
        DropResult(raster.SendRun(width, stripe == lit ? 0xFF : 0));
      }
    });
    DropResult(raster.SendEndBand());
  }
}

// 480 dots: eight single dots 48 dots apart, then 96 blank dots.
void SendTickUnit(TRasterPrinter& raster) {
  for (int tick = 0; tick < 8; ++tick) {
    DropResult(raster.SendRun(1, 0x80));
    DropResult(raster.SendRun(5, 0));
  }
  DropResult(raster.SendRun(12, 0));
}

Result PrintNozzleLines(TRasterPrinter& raster, const std::array<uint8_t, 3>& inks) {
  DropResult(raster.SendGraphicsSetup(kUnit, kUnidirectional, kOneBitDotSize));
  for (int group = 0; group < 2; ++group) {
    SendStripeBands(raster, inks);
    DropResult(raster.SendAdvance(kBandHeight));
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
  DropResult(raster.SendPrintSetup(kUnit, kUnidirectional, kOneBitDotSize, kAlignmentColorMode));
  for (int pass = 0; pass < 3; ++pass) {
    DropResult(raster.SelectInk(INK_CODE_BLACK));
    SendOneBitHeader(raster);
    SendRows([&](int row) {
      if (!black_row(row)) return SendBlankOneBitRow(raster);
      for (int column = 0; column < 5; ++column) SendTickUnit(raster);
      DropResult(raster.SendRun(60, 0));
    });
    DropResult(raster.SendEndBand());
    for (std::size_t column = 0; column < kAlignmentColours.size(); ++column) {
      const AlignmentColour& colour = kAlignmentColours[column];
      DropResult(raster.SelectInk(colour.ink));
      SendOneBitHeader(raster);
      SendRows([&](int row) {
        if (black_row(row)) return SendBlankOneBitRow(raster);
        for (std::size_t before = 0; before < column; ++before) DropResult(raster.SendRun(60, 0));
        SendTickUnit(raster);
        for (int run = 0; run < colour.tail_runs; ++run)
          DropResult(raster.SendRun(colour.tail_width, 0));
      });
      DropResult(raster.SendEndBand());
    }
    DropResult(raster.SendAdvance(kNextPass));
  }
  return raster.SendInitialize();
}

}  // namespace

Result PrintBetaBlack(TRasterPrinter& raster) {
  const PrintJob job(raster.Port());
  SendTitleLine(raster, "Beta( BK-C-LC-M-LM-Y )");
  DropResult(raster.SendGraphicsSetup(kUnit, kUnidirectional, kOneBitDotSize));
  DropResult(raster.SelectInk(INK_CODE_BLACK));
  for (int group = 0; group < 2; ++group) {
    for (int pass = 0; pass < 3; ++pass) {
      SendOneBitHeader(raster);
      SendRows([&](int row) {
        // A 25 % checkerboard that the middle pass turns over.
        const uint8_t halftone = IsOdd(row) == (pass != 1) ? 0x88 : 0x22;
        for (int copy = 0; copy < 3; ++copy) {
          DropResult(raster.SendRun(40, 0xFF));
          DropResult(raster.SendRun(20, halftone));
          DropResult(raster.SendRun(40, 0xFF));
          DropResult(raster.SendRun(20, 0));
        }
      });
      DropResult(raster.SendAdvance(kNextPass));
    }
    DropResult(raster.SendAdvance(kBandHeightAfterPasses));
  }
  return raster.SendInitialize();
}

Result PrintBetaColor(TRasterPrinter& raster) {
  const PrintJob job(raster.Port());
  constexpr std::array<uint8_t, 5> kInks{INK_CODE_CYAN, INK_CODE_LIGHT_CYAN, INK_CODE_MAGENTA,
                                         INK_CODE_LIGHT_MAGENTA, INK_CODE_YELLOW};
  DropResult(raster.SendGraphicsSetup(kUnit, kUnidirectional, kOneBitDotSize));
  for (int group = 0; group < 2; ++group) {
    for (int pass = 0; pass < 3; ++pass) {
      SendStripeBands(raster, kInks);
      DropResult(raster.SendAdvance(kNextPass));
    }
    DropResult(raster.SendAdvance(kBandHeightAfterPasses));
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

}  // namespace opal
