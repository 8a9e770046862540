#pragma once

#include <memory>

#include "app/options.h"
#include "link/factory.h"
#include "link/printerdriver.h"
#include "link/timing.h"
#include "ui/forms/navigator.h"
#include "ui/seams/applicationexit.h"
#include "ui/seams/dialogs.h"
#include "ui/seams/responsivesleeper.h"
#include "ui/servicecontext.h"
#include "ui/servicemodules.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::app {

// The program's module objects, each created once here and handed on by reference. Needs the
// application object.
struct OpalService {
  explicit OpalService(const Options& options);

  SystemClock clock;
  ui::ResponsiveSleeper sleeper;
  // The virtual printer's own waits are short polls; the port's idle hook keeps the windows
  // painted meanwhile.
  ThreadSleeper device_sleeper;
  std::unique_ptr<vp::VirtualPrinter> printer;
  std::unique_ptr<PortProvider> provider;
  ui::MessageBoxDialogs dialogs;
  ui::ApplicationExit exit;
  TPrinterPort port;
  TFactoryCommand command;
  ui::ServiceModules modules;
  ui::ServiceContext context;
  ui::Navigator forms;
};

}  // namespace opal::app
