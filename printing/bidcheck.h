#pragma once

#include <string_view>

#include "device/statusreport.h"
#include "link/factory.h"
#include "link/showntext.h"
#include "printing/raster.h"

namespace opal {

inline constexpr std::string_view kBidPatternPrinting =
    OPAL_TEXT("Core", "Bi-d pattern is being printed out now.");
inline constexpr std::string_view kBidPatternPrinted =
    OPAL_TEXT("Core", "Bi-d pattern print is completed.");

// The Bi-D check page: a title, the Black and Color blocks of MS, 6pl and 4pl, a form feed.
// Every Bi-D value is read before the first byte goes out: one that cannot be read sends nothing
// and gives the read's code, so no value is printed around or set back unless it was read. The
// page stops at its first failure (a block's restore failure names the value that may be left
// changed), so no block writes to the EEPROM over a failing link and a page that never reached
// the printer is not taken for printed.
Result PrintBidCheckPattern(TRasterPrinter& raster, TFactoryCommand& command);

// The forms' print operation: the page `start_steps` track-bar steps lower on the sheet, ended
// with one more form feed, stopping at the first failure as the page does. Reports busy, then
// done, or the failure's message as an error (with the address and values of a Bi-D value the
// printer does not hold); returns that failure or PORT_OK.
Result PrintBidCheckPage(TRasterPrinter& raster, TFactoryCommand& command, int start_steps,
                         const StatusReport& report);

}  // namespace opal
