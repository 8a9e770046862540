#include "app/opalservice.h"

#include "link/linuxdevices.h"
#include "link/virtualport.h"
#include "ui/seams/inputdrop.h"

namespace opal::app {
namespace {

std::unique_ptr<vp::VirtualPrinter> MakePrinter(const Options& options) {
  if (!options.virtual_printer) return nullptr;
  return std::make_unique<vp::VirtualPrinter>(*options.virtual_printer, options.virtual_model);
}

}  // namespace

OpalService::OpalService(const Options& options)
    : printer(MakePrinter(options)),
      provider(printer ? std::unique_ptr<PortProvider>(
                             std::make_unique<VirtualPortProvider>(*printer, clock, device_sleeper))
                       : std::make_unique<LinuxPortProvider>()),
      exit(dialogs),
      port(*provider, clock, exit),
      command(port),
      modules(port, command, clock, exit),
      context{.port = port,
              .command = command,
              .clock = clock,
              .sleeper = sleeper,
              .dialogs = dialogs,
              .exit = exit,
              .modules = modules},
      forms(context) {
  exit.ClosesPort(port);
  port.SetIdle(ui::ProcessEventsDroppingInput);
}

}  // namespace opal::app
