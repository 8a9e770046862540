#include "cli/printcommands.h"

#include <array>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "device/bid.h"
#include "device/eeprom.h"

namespace opal::cli {
namespace {

struct Arguments {
  std::string row, value, pattern;
  int position = 0;
};

// The forms' status lines on a terminal: appended text stays on its line, every other mode
// starts a new one, and an error goes to standard error.
class TerminalStatus {
 public:
  TerminalStatus(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  StatusReport Report() {
    return [this](StatusMode mode, std::string_view text) {
      if (mode == StatusMode::Error) {
        EndLine();
        err_ << text << '\n';
        return;
      }
      if (mode != StatusMode::Append && started_) out_ << '\n';
      out_ << text << std::flush;
      started_ = true;
    };
  }
  void EndLine() {
    if (started_) out_ << '\n';
    started_ = false;
  }

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool started_ = false;
};

// Row names on the command line, in the order of kBidRows; "bid-" and a row name is that row's
// check block.
constexpr std::array<std::string_view, kBidRowCount> kRowNames{
    "ms-black", "ms-color", "6pl-black", "6pl-color", "4pl-black", "4pl-color"};
constexpr std::string_view kBidBlockPrefix = "bid-";

// The raster patterns, then a Bi-D block for each row.
std::vector<std::string> PrintablePatterns() {
  std::vector<std::string> names = PatternNames();
  for (const auto row : kRowNames) names.push_back(std::string(kBidBlockPrefix) + std::string(row));
  return names;
}

std::size_t RowIndex(std::string_view name) {
  for (std::size_t row = 0; row < kRowNames.size(); ++row) {
    if (kRowNames[row] == name) return row;
  }
  return kRowNames.size();
}

int BidRead(Opalctl& ctl) {
  ctl.Connect();
  std::ostringstream lines;
  TerminalStatus status(lines, ctl.console.err);
  if (const Result result = ctl.operations.ReportBidValues(status.Report()); result != PORT_OK) {
    return ctl.Failed(result);
  }
  status.EndLine();
  ctl.console.out << lines.str();
  return kDone;
}

int BidWrite(Opalctl& ctl, const Arguments& args) {
  if (!BidValueInRange(BidValueFromText(args.value))) {
    ctl.console.err << kBidLimitNote << '\n';
    return kUsage;
  }
  ctl.Connect();
  const BidRow& row = kBidRows[RowIndex(args.row)];
  if (const Outcome written = ctl.operations.WriteBidValue(row, args.value);
      written.result != PORT_OK) {
    return ctl.Failed(written);
  }
  ctl.console.out << row.written_lead << args.value << kWrittenInEeprom << '\n';
  return kDone;
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
  return ctl.operations.PrintBidBlock(kBidRows[RowIndex(name)]);
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

}  // namespace

CLI::App* PrintCommand(CLI::App& app) {
  const auto found =
      app.get_subcommands([](CLI::App* command) { return command->get_name() == "print"; });
  if (!found.empty()) return found.front();
  return app.add_subcommand("print", "Print a check page, pattern or report")
      ->require_subcommand(1);
}

void AddPrintCommands(CLI::App& app, Action& chosen) {
  const auto args = std::make_shared<Arguments>();
  const std::vector<std::string> row_names(kRowNames.begin(), kRowNames.end());

  auto* bid =
      app.add_subcommand("bid", "Read or write the Bi-D alignment values")->require_subcommand(1);
  Runs(bid->add_subcommand("read", "Show the six stored Bi-D values"), chosen, BidRead);
  auto* write = bid->add_subcommand("write", "Set one Bi-D value (-70 to 70)");
  write->add_option("ROW", args->row)->required()->check(CLI::IsMember(row_names));
  write->add_option("VALUE", args->value)->required();
  Runs(write, chosen, [args](Opalctl& ctl) { return BidWrite(ctl, *args); });

  auto* print = PrintCommand(app);
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
}

}  // namespace opal::cli
