#include "cli/journalcommands.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/linkcommands.h"
#include "cli/restorevalues.h"
#include "cli/terminal.h"
#include "service/changewords.h"
#include "service/journaltext.h"

namespace opal::cli {
namespace {

struct Arguments {
  std::optional<std::string> usb_id;
  int64_t id = 0;
  std::string serial;
  bool yes = false;
};

// Entry and snapshot numbers as the journal lists them: decimal, from 1. CLI11 on its own reads
// "" as 0, clamps a number past int64_t and takes 010 for octal and 0x10 for hexadecimal.
const CLI::Validator kJournalNumber(
    [](std::string& text) -> std::string {
      int64_t number = 0;
      const char* const end = text.data() + text.size();
      const auto [stop, error] = std::from_chars(text.data(), end, number);
      if (text.empty() || error != std::errc() || stop != end || number < 1) {
        return "\"" + text + "\" is no journal number (1 to " +
               std::to_string(std::numeric_limits<int64_t>::max()) + ")";
      }
      text = std::to_string(number);
      return "";
    },
    "");

int Unusable(Console& console, const JournalStore& store) {
  console.err << "The service journal cannot be read: " << store.Problem() << '\n';
  return kFailed;
}

int List(const Target& target, const Arguments& args, Console& console) {
  const JournalStore store(target.journal_file, JournalAccess::Read);
  if (!store.Problem().empty()) return Unusable(console, store);
  for (const JournalEntry& entry : store.Entries(args.usb_id)) PrintEntry(console.out, entry);
  return kDone;
}

int Show(const Target& target, const Arguments& args, Console& console) {
  const JournalStore store(target.journal_file, JournalAccess::Read);
  if (!store.Problem().empty()) return Unusable(console, store);
  const auto entry = store.Entry(args.id);
  if (!entry) {
    console.err << "The journal has no entry #" << args.id << ".\n";
    return kFailed;
  }
  PrintEntry(console.out, *entry);
  return kDone;
}

// How each way of settling an entry writes and what it says when done.
int SettleEntry(Opalctl& ctl, const Arguments& args, const JournalSettling& how) {
  ctl.Connect();
  const auto entry = ctl.journal_store.Entry(args.id);
  if (!entry) {
    ctl.console.err << "The journal has no entry #" << args.id << ".\n";
    return kFailed;
  }
  // Another printer's bytes would land on this one: the entry must be this printer's.
  if (!ctl.OfThisPrinter("Entry #" + std::to_string(args.id) + " was made on", *entry)) {
    return kFailed;
  }
  // A done entry that changed nothing has nothing to take back; an unfinished one may still
  // have left trial settings behind, which rollback and resume put right.
  if (&how == &kUndo && entry->state == kStateDone && ChangedNothing(*entry)) {
    ctl.console.out << NothingToUndoLine(*entry) << '\n';
    return kDone;
  }
  const Result result = ctl.journal->Settle(*entry, how.back, SettlingName(how, args.id));
  if (result != PORT_OK) return ctl.Failed(result);
  ctl.journal->EndOperation();
  ctl.console.out << SettledLine(how, *entry, ctl.journal->CurrentEntry().value_or(entry->id))
                  << '\n';
  return kDone;
}

int ListSnapshots(const Target& target, const Arguments& args, Console& console) {
  const JournalStore store(target.journal_file, JournalAccess::Read);
  if (!store.Problem().empty()) return Unusable(console, store);
  for (const JournalSnapshot& snapshot : store.Snapshots(args.usb_id)) {
    const JournalPrinter& printer = snapshot.printer;
    console.out << "snapshot #" << snapshot.id << "  " << snapshot.time << "  printer "
                << Printable(printer.usb_id) << " (" << printer.model << ", head ID "
                << Printable(printer.head_id) << ", " << printer.port << ")\n";
  }
  return kDone;
}

int RestoreSnapshot(Opalctl& ctl, const Arguments& args) {
  const auto snapshot = ctl.journal_store.Snapshot(args.id);
  if (!snapshot) {
    ctl.console.err << "The journal has no snapshot #" << args.id << ".\n";
    return kFailed;
  }
  ctl.Connect();
  // The image of one printer holds its own calibration: it belongs on that printer only.
  if (!ctl.OfThisPrinter("Snapshot #" + std::to_string(args.id) + " was taken of", *snapshot)) {
    return kFailed;
  }
  return RestoreImage(ctl, snapshot->image);
}

}  // namespace

void PrintEntry(std::ostream& out, const JournalEntry& entry) {
  const JournalPrinter& printer = entry.printer;
  out << '#' << entry.id << "  " << entry.time << "  " << entry.operation << "  "
      << StateText(entry);
  out << "\n  printer " << Printable(printer.usb_id) << " (" << printer.model << ", head ID "
      << Printable(printer.head_id) << ", " << printer.port << "), by " << entry.user;
  if (!entry.bench.empty()) out << " at bench " << Printable(entry.bench);
  out << '\n';
  if (!entry.failure.empty()) out << "  " << entry.failure << '\n';
  for (const std::string& words : ChangesInWords(entry.changes)) out << "  " << words << '\n';
  out << ChangeLines(entry.changes, "  ");
}

void AddJournalCommands(CLI::App& app, Action& chosen, SessionlessAction& sessionless) {
  const auto args = std::make_shared<Arguments>();
  auto* journal = app.add_subcommand("journal", "The record of every write to a printer")
                      ->require_subcommand(0, 1);
  journal->add_option("--printer", args->usb_id, "Only the entries of the printer with USBID");
  auto* list = journal->add_subcommand("list", "List the entries with old and new bytes");
  list->add_option("--printer", args->usb_id, "Only the entries of the printer with USBID");
  const auto list_all = [args](const Target& target, Console& console) {
    return List(target, *args, console);
  };
  list->callback([&sessionless, list_all] { sessionless = list_all; });
  journal->callback([&sessionless, journal, list_all] {
    if (journal->get_subcommands().empty()) sessionless = list_all;
  });

  auto* show = journal->add_subcommand("show", "Show one entry");
  show->add_option("ID", args->id)->required()->transform(kJournalNumber);
  show->callback([&sessionless, args] {
    sessionless = [args](const Target& target, Console& console) {
      return Show(target, *args, console);
    };
  });

  auto* snapshots = journal->add_subcommand(
      "snapshots", "List the snapshots: each printer's EEPROM as the journal first found it");
  snapshots->add_option("--printer", args->usb_id, "Only the snapshots of the printer with USBID");
  snapshots->callback([&sessionless, args] {
    sessionless = [args](const Target& target, Console& console) {
      return ListSnapshots(target, *args, console);
    };
  });
  auto* restore = journal->add_subcommand(
      "restore-snapshot", "Put a snapshot's 256 bytes back on its printer, verified");
  restore->add_option("ID", args->id)->required()->transform(kJournalNumber);
  Runs(restore, chosen, [args](Opalctl& ctl) { return RestoreSnapshot(ctl, *args); });

  auto* values = journal->add_subcommand(
      "restore-values",
      "Put a printer's last known USB ID, head ID and Bi-D values back, as on a new main board");
  values->add_option("--serial", args->serial, "The serial number on the printer's label")
      ->required();
  values->add_flag("--yes", args->yes, "Write without asking");
  Runs(values, chosen,
       [args](Opalctl& ctl) { return RestoreValues(ctl, args->serial, args->yes); });

  for (const JournalSettling* how : {&kUndo, &kRollback, &kResume}) {
    const char* help = how == &kResume ? "Write the entry's new values to the printer"
                                       : "Write the entry's old values back to the printer";
    auto* settle = journal->add_subcommand(how->name, help);
    settle->add_option("ID", args->id)->required()->transform(kJournalNumber);
    Runs(settle, chosen, [args, how](Opalctl& ctl) { return SettleEntry(ctl, *args, *how); });
  }
}

}  // namespace opal::cli
