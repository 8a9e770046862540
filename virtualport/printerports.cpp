#include "virtualport/printerports.h"

#include "link/linuxdevices.h"
#include "virtualport/virtualport.h"

namespace opal {
namespace {

std::unique_ptr<vp::VirtualPrinter> MakePrinter(const PrinterPlace& place) {
  if (!place.virtual_dir) return nullptr;
  return std::make_unique<vp::VirtualPrinter>(*place.virtual_dir, place.virtual_model,
                                              place.virtual_scenario, /*own_serial_if_new=*/true);
}

}  // namespace

PrinterPorts::PrinterPorts(const PrinterPlace& place, const Clock& clock, Sleeper& sleeper)
    : printer_(MakePrinter(place)) {
  if (printer_) {
    provider_ = std::make_unique<VirtualPortProvider>(*printer_, clock, sleeper);
  } else {
    provider_ = std::make_unique<LinuxPortProvider>();
  }
}

}  // namespace opal
