#include "cli/shopcommands.h"

#include <memory>
#include <ostream>

#include "cli/journalcommands.h"
#include "cli/terminal.h"
#include "service/printerhistory.h"
#include "service/shopforwarder.h"

namespace opal::cli {
namespace {

int Status(const Target& target, Console& console) {
  const ShopState state = ShopStatus(target.journal_file, LoadShopConfig());
  console.out << ShopStateLine(state) << '\n';
  // A shop that is configured but cannot be used is a failure, as one that does not answer.
  const bool unconfigured = state.config.connection.empty() && state.config.problem.empty();
  return unconfigured || state.reached ? kDone : kFailed;
}

int Sync(const Target& target, Console& console, const Clock& clock) {
  const ShopConfig config = LoadShopConfig();
  if (config.connection.empty() && config.problem.empty()) {
    console.err << "No shop database is configured; " << ShopConfigFile().string()
                << " names it.\n";
    return kFailed;
  }
  JournalStore store(target.journal_file);
  const ShopSync sync = ForwardToShop(store, config, clock);
  if (!sync.done) {
    console.err << sync.problem << "\nForwarded " << sync.forwarded << "; "
                << store.ForwardingState().pending << " changes wait for the shop.\n";
    return kFailed;
  }
  console.out << "Forwarded " << sync.forwarded << (sync.forwarded == 1 ? " change" : " changes")
              << "; the shop holds every change of this bench's journal.\n";
  return kDone;
}

int History(const Target& target, Console& console, const std::string& key) {
  const JournalStore store(target.journal_file, JournalAccess::Read);
  const PrinterHistory history = FindPrinterHistory(store, LoadShopConfig(), key);
  if (!history.problem.empty()) {
    console.err << history.problem << "\nThis bench's journal only:\n";
  }
  if (!history.from_shop && !store.Problem().empty()) {
    console.err << "The service journal cannot be read: " << store.Problem() << '\n';
    return kFailed;
  }
  for (const JournalEntry& entry : history.entries) PrintEntry(console.out, entry);
  return kDone;
}

}  // namespace

void AddShopCommands(CLI::App& app, SessionlessAction& sessionless, const Clock& clock) {
  auto* shop = app.add_subcommand("shop", "The shop's database that every bench forwards to")
                   ->require_subcommand(1);
  shop->add_subcommand("status", "Whether the shop answers, and what waits to be forwarded")
      ->callback([&sessionless] { sessionless = Status; });
  shop->add_subcommand("sync", "Forward every change the shop does not hold yet, now")
      ->callback([&sessionless, &clock] {
        sessionless = [&clock](const Target& target, Console& console) {
          return Sync(target, console, clock);
        };
      });

  const auto key = std::make_shared<std::string>();
  auto* history = app.add_subcommand(
      "history", "A printer's entries from every bench of the shop, newest first");
  history->add_option("--printer", *key, "The printer's USB ID, serial number or head ID")
      ->required()
      ->check(CLI::Validator(
          [](const std::string& text) { return text.empty() ? "the printer is not named" : ""; },
          ""));
  history->callback([&sessionless, key] {
    sessionless = [key](const Target& target, Console& console) {
      return History(target, console, *key);
    };
  });
}

void ForwardAfterRun(JournalStore& store, const Clock& clock, Console& console) {
  const ShopConfig config = LoadShopConfig();
  const ShopSync sync = ForwardIfDue(store, config, clock);
  if (sync.done || config.connection.empty()) return;
  const Forwarding state = store.ForwardingState();
  console.err << "The shop did not take this bench's changes (" << sync.problem << "); "
              << state.pending << " wait to be forwarded, \"opalctl shop sync\" tries now.\n";
}

}  // namespace opal::cli
