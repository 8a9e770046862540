#pragma once

#include <chrono>
#include <string_view>

#include "link/showntext.h"
#include "maintenance/zlic.h"
#include "printing/raster.h"

namespace opal {

inline constexpr std::string_view kChipInfoPrinting =
    OPAL_TEXT("Core", "All ZLIC info. is printing now.");
inline constexpr std::string_view kChipInfoPrinted =
    OPAL_TEXT("Core", "ZLIC info. printing has completed.");
// The printer goes on printing for this long after the last byte; callers wait before "done".
inline constexpr std::chrono::milliseconds kChipInfoPrintWait{26'000};

// Text as its characters only, without the NUL that ends a caption.
Result SendCharacters(TRasterPrinter& raster, std::string_view text);

// Both cartridges' reports under their headings, then a form feed. Stops at the first write that
// fails and returns it, so a page that did not reach the printer is never reported as printed.
Result SendChipReports(TRasterPrinter& raster, const ChipReports& reports);

// Reads both chips, then prints all four reports on a page of their own. The first failing read
// or write; nothing is sent when a report cannot be built.
Result PrintAllChipInfo(TRasterPrinter& raster, TZlic& zlic);

}  // namespace opal
