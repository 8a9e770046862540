#pragma once

#include "device/statusreport.h"
#include "link/showntext.h"
#include "printing/raster.h"

namespace opal {

inline constexpr std::string_view kNozzleCheckPrinting =
    OPAL_TEXT("Core", "Nozzle check pattern is printing now.");
inline constexpr std::string_view kCloggedHeadCompleted =
    OPAL_TEXT("Core", "Recovery clogged head routine has completed.");

// Has the printer print its own nozzle check under a caption, through its remote mode. Reports
// busy before the first byte; after the form feed done, or the first failing write's message as
// an error, so a check that never reached the printer is not taken for printed. Every byte is
// sent whatever the writes before gave. The caller positions the paper first.
Result PrintAllNozzleTestPattern(TRasterPrinter& raster, const StatusReport& report);

// The nozzle check `start_steps` steps lower on the sheet (see MovePrintStart). A move that fails
// is reported as the check's error and nothing more is sent.
Result PrintNozzleCheckPage(TRasterPrinter& raster, int start_steps, const StatusReport& report);

}  // namespace opal
