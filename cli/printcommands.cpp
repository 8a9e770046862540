#include "cli/printcommands.h"

#include <array>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/terminal.h"
#include "device/bid.h"
#include "device/eeprom.h"

namespace opal::cli {
namespace {

struct Arguments {
  std::string pattern, model;
  int position = 0;
  bool no_wait = false;
};

// "bid-" and a row's key is that row's check block.
constexpr std::string_view kBidBlockPrefix = "bid-";

// The raster patterns, then a Bi-D block for each row.
std::vector<std::string> PrintablePatterns() {
  std::vector<std::string> names = PatternNames();
  for (const BidRow& row : kBidRows)
    names.push_back(std::string(kBidBlockPrefix) + std::string(row.key));
  return names;
}

int PrintBid(Opalctl& ctl, int position) {
  ctl.Connect();
  TerminalStatus status(ctl.console.out, ctl.console.err);
  const Outcome printed = ctl.operations.PrintBidCheckPage(position, status.Report());
  status.EndLine();
  return printed.result == PORT_OK ? kDone : ctl.Failed(printed, /*reported=*/true);
}

int PrintNozzle(Opalctl& ctl, int position) {
  ctl.Connect();
  TerminalStatus status(ctl.console.out, ctl.console.err);
  const Result result = ctl.operations.PrintNozzleCheckPage(position, status.Report());
  status.EndLine();
  return result == PORT_OK ? kDone : kFailed;
}

Outcome PrintNamedPattern(Opalctl& ctl, std::string_view name) {
  if (Result result = PORT_OK; ctl.operations.PrintPattern(name, result)) {
    return Outcome(result);
  }
  name.remove_prefix(kBidBlockPrefix.size());
  return ctl.operations.PrintBidBlock(*BidRowKeyed(name));
}

// One pattern on a page of its own, so the page comes out of the printer.
int PrintPattern(Opalctl& ctl, const std::string& name) {
  ctl.Connect();
  if (const Outcome printed = PrintNamedPattern(ctl, name); printed.result != PORT_OK) {
    return ctl.Failed(printed);
  }
  if (const Result result = ctl.operations.EndPage(); result != PORT_OK) return ctl.Failed(result);
  ctl.console.out << "Pattern " << name << " printed.\n";
  return kDone;
}

int PrintChips(Opalctl& ctl, bool no_wait) {
  ctl.Connect();
  ctl.console.out << kChipInfoPrinting << std::endl;
  if (const Result result = ctl.operations.PrintAllChipInfo(); result != PORT_OK) {
    return ChipFailed(ctl, result);
  }
  CountdownSleeper(ctl, no_wait).Sleep(kChipInfoPrintWait);
  ctl.console.out << (no_wait ? kNotWaited : kChipInfoPrinted) << '\n';
  return kDone;
}

int PrintA4(Opalctl& ctl, const std::string& model) {
  const std::string answer = ctl.Connect();
  const PrinterModel model_code = model.empty() ? ModelNamedIn(answer) : ModelKeyed(model);
  ctl.console.out << kA4CheckPrinting << std::endl;
  if (const Outcome printed = ctl.operations.PrintA4CheckSheet(model_code);
      printed.result != PORT_OK) {
    ChipFailed(ctl, printed.result);
    return ctl.Failed(printed, /*reported=*/true);
  }
  ctl.console.out << kA4CheckPrinted << '\n';
  return kDone;
}

}  // namespace

void AddPrintCommands(CLI::App& app, Action& chosen) {
  const auto args = std::make_shared<Arguments>();

  auto* print =
      app.add_subcommand("print", "Print a check page, pattern or report")->require_subcommand(1);
  const auto add_position = [&](CLI::App* command) {
    command
        ->add_option("--position", args->position,
                     "Print start lower on the sheet, two lines per step")
        ->check(CLI::Range(0, kPrintStartSteps));
  };
  auto* print_bid = print->add_subcommand("bid", "Print the Bi-D check page");
  add_position(print_bid);
  Runs(print_bid, chosen, [args](Opalctl& ctl) { return PrintBid(ctl, args->position); });
  auto* nozzle = print->add_subcommand("nozzle", "Have the printer print its own nozzle check");
  add_position(nozzle);
  Runs(nozzle, chosen, [args](Opalctl& ctl) { return PrintNozzle(ctl, args->position); });
  auto* pattern = print->add_subcommand("pattern", "Print one test pattern on a page of its own");
  pattern->add_option("NAME", args->pattern)->required()->check(CLI::IsMember(PrintablePatterns()));
  Runs(pattern, chosen, [args](Opalctl& ctl) { return PrintPattern(ctl, args->pattern); });
  auto* chips = print->add_subcommand("chips", "Print all four cartridge chip reports");
  chips->add_flag("--no-wait", args->no_wait, "Do not wait while the printer works on its own");
  Runs(chips, chosen, [args](Opalctl& ctl) { return PrintChips(ctl, args->no_wait); });
  auto* a4 = print->add_subcommand("a4", "Print the three-page A4 check sheet");
  a4->add_option("--model", args->model, "Model line of the sheet (default: the printer's)")
      ->check(CLI::IsMember(OfferedModelKeys()));
  Runs(a4, chosen, [args](Opalctl& ctl) { return PrintA4(ctl, args->model); });
}

}  // namespace opal::cli
