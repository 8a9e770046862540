#include "cli/run.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/adjustcommands.h"
#include "cli/benchcommands.h"
#include "cli/doctorcommand.h"
#include "cli/interrupt.h"
#include "cli/journalcommands.h"
#include "cli/linkcommands.h"
#include "cli/maintenancecommands.h"
#include "cli/portscommand.h"
#include "cli/printcommands.h"
#include "cli/reportcommand.h"
#include "cli/shopcommands.h"
#include "cli/traceoptions.h"
#include "opal/version.h"

namespace opal::cli {

int RunOpalctl(const std::vector<std::string>& args, Clock& clock, Sleeper& sleeper,
               Console& console, const std::filesystem::path& journal_file) {
  CLI::App app{"Service tool for Corvane Opal 310 and 320 printers", "opalctl"};
  app.set_version_flag("--version", "opalctl " OPAL_VERSION);
  app.require_subcommand(1);
  Target target;
  target.journal_file = journal_file;
  auto* port = app.add_option("--port", target.port, "LPT1..LPT3 or VLUSB1:..VLUSB3:");
  auto* virt = app.add_option("--virtual", target.printer.virtual_dir,
                              "Use the virtual printer kept in DIR (made fresh when missing)");
  port->excludes(virt);
  app.add_option("--model", target.printer.virtual_model, "Model of a fresh virtual printer")
      ->check(CLI::IsMember(OfferedModelKeys()))
      ->needs(virt);

  Action chosen;
  SessionlessAction sessionless;
  AddBenchCommands(app, virt, target, sessionless);
  AddTraceOptions(app, virt, target);
  AddLinkCommands(app, chosen);
  AddAdjustCommands(app, chosen);
  AddPrintCommands(app, chosen);
  AddMaintenanceCommands(app, chosen);
  AddPortsCommand(app, sessionless);
  AddDoctorCommand(app, sessionless);
  AddJournalCommands(app, chosen, sessionless);
  AddShopCommands(app, sessionless, clock);
  AddReportCommand(app, sessionless);

  std::vector<const char*> argv{"opalctl"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& error) {
    return app.exit(error, console.out, console.err) == 0 ? kDone : kUsage;
  }
  if (!sessionless && !target.port && !target.printer.virtual_dir && !target.printer.replay) {
    console.err << "Choose the printer with --port NAME, --virtual DIR or --replay FILE.\n";
    return kUsage;
  }
  try {
    if (sessionless) return sessionless(target, console);
    CompleteTraceOptions(args, target);
    Opalctl ctl(target, clock, sleeper, console);
    int status = kFailed;
    try {
      status = chosen(ctl);
      ForwardAfterRun(ctl.journal_store, clock, console);
    } catch (const StopRequested&) {
      status = ctl.Stopped();
    } catch (const ProgramEnd& end) {
      console.err << end.what() << '\n';
      status = end.status;
    } catch (const std::exception& error) {
      console.err << error.what() << '\n';
    }
    return ctl.Ended(status);
  } catch (const ProgramEnd& end) {
    console.err << end.what() << '\n';
    return end.status;
  } catch (const std::exception& error) {
    console.err << error.what() << '\n';
    return kFailed;
  }
}

}  // namespace opal::cli
