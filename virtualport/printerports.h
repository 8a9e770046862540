#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "link/portdevice.h"
#include "link/timing.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {

// Where a program finds its printer: the ports of this machine, or the virtual printer kept in a
// folder (made new as the given model when the folder holds none).
struct PrinterPlace {
  std::optional<std::filesystem::path> virtual_dir;
  std::string virtual_model = "320";
  std::string virtual_scenario;  // training scenario of a fresh virtual printer; empty for none
};

// The port provider a program opens its ports through, chosen here and nowhere else.
class PrinterPorts {
 public:
  PrinterPorts(const PrinterPlace& place, const Clock& clock, Sleeper& sleeper);

  PortProvider& Provider() { return *provider_; }
  // The printer behind the ports when it is the virtual one, else null.
  vp::VirtualPrinter* Virtual() { return printer_.get(); }

 private:
  std::unique_ptr<vp::VirtualPrinter> printer_;
  std::unique_ptr<PortProvider> provider_;
};

}  // namespace opal
