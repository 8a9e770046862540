#include <csignal>
#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/adjustcommands.h"
#include "cli/linkcommands.h"
#include "cli/maintenancecommands.h"
#include "cli/printcommands.h"
#include "cli/session.h"

int main(int argc, char** argv) {
  using namespace opal::cli;
  // A printer that hangs up must give an error code, not kill the program.
  std::signal(SIGPIPE, SIG_IGN);

  CLI::App app{"Service tool for Corvane Opal 310 and 320 printers", "opalctl"};
  app.require_subcommand(1);
  Target target;
  auto* port = app.add_option("--port", target.port, "LPT1..LPT3 or VLUSB1:..VLUSB3:");
  auto* virt = app.add_option("--virtual", target.virtual_dir,
                              "Use the virtual printer kept in DIR (made fresh when missing)");
  port->excludes(virt);
  app.add_option("--model", target.model, "Model of a fresh virtual printer")
      ->check(CLI::IsMember({"310", "320"}))
      ->needs(virt);

  Action chosen;
  AddLinkCommands(app, chosen);
  AddAdjustCommands(app, chosen);
  AddPrintCommands(app, chosen);
  AddMaintenanceCommands(app, chosen);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? kDone : kUsage;
  }
  if (!target.port && !target.virtual_dir) {
    std::cerr << "Choose the printer with --port NAME or --virtual DIR.\n";
    return kUsage;
  }
  try {
    Opalctl ctl(target);
    return chosen(ctl);
  } catch (const ProgramEnd& end) {
    std::cerr << end.what() << '\n';
    return end.status;
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return kFailed;
  }
}
