#pragma once

#include "device/bid.h"
#include "device/headid.h"
#include "device/usbid.h"
#include "link/factory.h"
#include "link/printerdriver.h"
#include "link/programexit.h"
#include "link/timing.h"
#include "maintenance/maintenance.h"
#include "maintenance/zlic.h"
#include "printing/a4check.h"
#include "printing/raster.h"

namespace opal {

// The operation modules both programs run, built once over the printer link.
struct ServiceModules {
  ServiceModules(TPrinterPort& port, TFactoryCommand& command, const Clock& clock,
                 ProgramExit& exit)
      : head_id(command),
        usb_id(command, clock),
        bid(command),
        maintenance(command),
        zlic(command, clock),
        raster(port, exit),
        a4check(raster, command, head_id, maintenance, zlic) {}

  THeadIdCoder head_id;
  TUsbIdStore usb_id;
  TBidAdjustment bid;
  TMaintenanceModule maintenance;
  TZlic zlic;
  TRasterPrinter raster;
  TA4Check a4check;
};

}  // namespace opal
