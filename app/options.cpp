#include "app/options.h"

#include <CLI/CLI.hpp>
#include <QStandardPaths>

#include "link/models.h"
#include "opal/version.h"
#include "service/journalstore.h"
#include "virtualport/trainingbench.h"

namespace opal::app {

std::filesystem::path DefaultVirtualPrinter() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return std::filesystem::path(data.toStdString()) / "opal-service" / "virtual-printer";
}

ParsedOptions ParseOptions(int argc, char** argv, std::ostream& out, std::ostream& err) {
  CLI::App cli{"Service program for Corvane Opal 310 and 320 printers.", "opal-service"};
  cli.set_version_flag("--version", "opal-service " OPAL_VERSION);
  ParsedOptions parsed;
  std::string directory;
  auto* virtual_printer =
      cli.add_option("--virtual-printer", directory,
                     "Connect every port to the virtual printer kept in DIR (default: " +
                         DefaultVirtualPrinter().string() + "), made fresh when missing")
          ->type_name("[DIR]")
          ->expected(0, 1);
  cli.add_option("--virtual-model", parsed.options.printer.virtual_model,
                 "Model of a fresh virtual printer (default 320)")
      ->check(CLI::IsMember(OfferedModelKeys()))
      ->needs(virtual_printer);
  cli.add_option("--scenario", parsed.options.printer.virtual_scenario,
                 "Training scenario of a fresh virtual printer")
      ->check(CLI::IsMember(TrainingScenarios()))
      ->needs(virtual_printer);
  cli.add_option("--trace", parsed.options.printer.trace,
                 "Record every byte to and from the printer in FILE (serials masked)")
      ->type_name("FILE");
  cli.add_flag("--trace-keep-ids", parsed.options.printer.trace_keep_ids,
               "Leave serial numbers and USB IDs in the trace");
  cli.add_option("--replay", parsed.options.printer.replay,
                 "Answer from the trace in FILE instead of a printer; stop at the first byte "
                 "the program sends otherwise")
      ->type_name("FILE")
      ->excludes(virtual_printer);
  parsed.options.printer.trace_command = "opal-service";
  parsed.options.printer.recent_traces = RecentTracesList(DefaultJournalFile());
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    parsed.exit_status = cli.exit(error, out, err) == 0 ? 0 : 2;
    return parsed;
  }
  if (virtual_printer->count() > 0) {
    parsed.options.printer.virtual_dir =
        directory.empty() ? DefaultVirtualPrinter() : std::filesystem::path(directory);
  }
  return parsed;
}

}  // namespace opal::app
