#pragma once

#include <cstdint>
#include <string_view>

#include "device/headid.h"
#include "link/factory.h"
#include "link/showntext.h"
#include "maintenance/maintenance.h"
#include "maintenance/zlic.h"
#include "printing/raster.h"

namespace opal {

inline constexpr std::string_view kA4CheckPrinting =
    OPAL_TEXT("Core", "A4 pattern is printing now.");
inline constexpr std::string_view kA4CheckPrinted =
    OPAL_TEXT("Core", "A4 pattern print is completed.");

// The three-page sheet that documents one printer: the patterns, head ID, USB ID and protection
// counter; the Bi-D blocks of every dot size; both cartridges' chip reports.
class TA4Check {
 public:
  TA4Check(TRasterPrinter& raster, TFactoryCommand& command, THeadIdCoder& head_id,
           TMaintenanceModule& maintenance, TZlic& zlic)
      : raster_(raster),
        command_(command),
        head_id_(head_id),
        maintenance_(maintenance),
        zlic_(zlic) {}

  // Each page opens with the model line of `model_code` (the model the technician chose; none
  // for a code other than the Opal 310 and 320). A head ID, USB ID, counter or chip report that
  // cannot be read stops the sheet at once, without a form feed, and gives the read's code; so
  // do the Bi-D values, read before the second page's first byte. The head ID and USB ID print
  // as text only where their bytes are printable ASCII. A failure among the Bi-D blocks stops
  // the sheet with it. Otherwise everything is sent whatever the writes give, and the result is
  // the first failing write or PORT_OK, so a sheet that did not reach the printer is never
  // reported as printed. The Bi-D blocks leave the printer's alignment as it was, or say which
  // value they could not set back.
  Result PrintA4CheckSheet(PrinterModel model);

 private:
  TRasterPrinter& raster_;
  TFactoryCommand& command_;
  THeadIdCoder& head_id_;
  TMaintenanceModule& maintenance_;
  TZlic& zlic_;
};

}  // namespace opal
