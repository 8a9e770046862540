#pragma once

#include "link/factory.h"
#include "link/portdevice.h"
#include "link/printerdriver.h"
#include "link/programexit.h"
#include "link/timing.h"
#include "service/operations.h"
#include "service/servicemodules.h"

namespace opal {

// One printer connection with every module object and the operations over it, each created once and
// handed on by reference. The program, opalctl, the tests and the benchmarks all build theirs
// through this, so the chain printer -> port -> service commands -> modules is assembled in one
// place.
struct ServiceSession {
  ServiceSession(PortProvider& provider, const Clock& clock, ProgramExit& exit)
      : port(provider, clock, exit),
        command(port),
        modules(port, command, clock, exit),
        operations(port, command, modules, clock) {}
  ServiceSession(const ServiceSession&) = delete;
  ServiceSession& operator=(const ServiceSession&) = delete;

  TPrinterPort port;
  TFactoryCommand command;
  ServiceModules modules;
  ServiceOperations operations;
};

}  // namespace opal
