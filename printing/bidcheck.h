#pragma once

#include <string_view>

#include "device/statusreport.h"
#include "link/factory.h"
#include "printing/raster.h"

namespace opal {

inline constexpr std::string_view kBidPatternPrinting = "Bi-d pattern is being printed out now.";
inline constexpr std::string_view kBidPatternPrinted = "Bi-d pattern print is completed.";

// The Bi-D check page: a title, the Black and Color blocks of MS, 6pl and 4pl, a form feed.
// A failing title or line feed after it stops the page at once; after that everything is sent
// whatever the writes give. Returns PORT_OK when every write went through, otherwise the first
// failure, so a page that never reached the printer is not taken for printed.
Result PrintBidCheckPattern(TRasterPrinter& raster, TFactoryCommand& command);

// The forms' print operation: the page `start_steps` track-bar steps lower on the sheet, ended
// with one more form feed. Reports busy, then done, or the first failure's message as an error;
// returns that failure or PORT_OK.
Result PrintBidCheckPage(TRasterPrinter& raster, TFactoryCommand& command, int start_steps,
                         const StatusReport& report);

}  // namespace opal
