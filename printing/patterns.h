#pragma once

#include "printing/bidpattern.h"
#include "printing/raster.h"

namespace opal {

// The raster test patterns a technician judges on paper; the Bi-D check block, which also reads
// and writes the printer's Bi-D values, is in bidpattern.h. Each begins and ends with
// SendInitialize, so text sent between patterns prints in text mode; each sends on whatever its
// writes give and returns the result of its final SendInitialize.

// Title, then a black band of solid and 25 % halftone stripes.
Result PrintBetaBlack(TRasterPrinter& raster);
// Five solid stripes side by side: C, LC, M, LM, Y.
Result PrintBetaColor(TRasterPrinter& raster);
// Title, then one line per nozzle of BK, C and LC; a missing line is a clogged nozzle.
Result PrintNozzleCheckBlackCyan(TRasterPrinter& raster);
// The same for M, LM and Y, without a title.
Result PrintNozzleCheckMagentaYellow(TRasterPrinter& raster);
// Title and caption, then black ticks from the odd nozzles between colour ticks from the even
// ones: an offset between the nozzle rows shows as a step.
Result PrintHorizontalAlignmentBkOdd(TRasterPrinter& raster);
// The same with the nozzle rows swapped, under its own caption.
Result PrintHorizontalAlignmentBkEven(TRasterPrinter& raster);

}  // namespace opal
