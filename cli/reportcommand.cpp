#include "cli/reportcommand.h"

#include <memory>
#include <optional>
#include <ostream>

#include "report/reportwriter.h"
#include "service/printerhistory.h"
#include "service/servicereport.h"

namespace opal::cli {
namespace {

struct Arguments {
  std::string printer;
  std::optional<std::string> since;
  std::filesystem::path file;
};

int Report(const Target& target, Console& console, const Arguments& args) {
  const JournalStore store(target.journal_file, JournalAccess::Read);
  const PrinterHistory history = FindPrinterHistory(store, LoadShopConfig(), args.printer);
  if (!history.problem.empty()) console.err << history.problem << "\nThis bench's journal only.\n";
  if (!history.from_shop && !store.Problem().empty()) {
    console.err << "The service journal cannot be read: " << store.Problem() << '\n';
    return kFailed;
  }
  if (history.entries.empty()) {
    console.err << "No entry names the printer " << args.printer << "; there is nothing to "
                << "report.\n";
    return kFailed;
  }
  const ServiceReport report = BuildServiceReport(history.entries, args.since);
  std::string problem;
  if (!WriteReport(report, args.file, problem)) {
    console.err << "The report was not written: " << problem << '\n';
    return kFailed;
  }
  console.out << "Wrote the report of " << report.operations.size()
              << (report.operations.size() == 1 ? " operation" : " operations") << " since "
              << report.since << " to " << args.file.string() << ".\n";
  return kDone;
}

}  // namespace

void AddReportCommand(CLI::App& app, SessionlessAction& sessionless) {
  const auto args = std::make_shared<Arguments>();
  auto* report = app.add_subcommand("report", "Write a service report for the customer");
  report->add_option("--printer", args->printer, "The printer's USB ID, serial number or head ID")
      ->required();
  report
      ->add_option("--since", args->since,
                   "The visit's first day, YYYY-MM-DD (default: the day of the last entry)")
      ->check(CLI::Validator(
          [](const std::string& text) {
            return IsReportDate(text) ? "" : "\"" + text + "\" is no date YYYY-MM-DD";
          },
          "DATE"));
  report->add_option("-o,--output", args->file, "FILE.pdf or FILE.html")->required();
  report->callback([&sessionless, args] {
    sessionless = [args](const Target& target, Console& console) {
      return Report(target, console, *args);
    };
  });
}

}  // namespace opal::cli
