#include "cli/journalcommands.h"

#include <memory>
#include <optional>
#include <ostream>

#include "cli/terminal.h"
#include "device/datamanu.h"

namespace opal::cli {
namespace {

constexpr std::size_t kChangesPerLine = 8;

struct Arguments {
  std::optional<std::string> usb_id;
  int64_t id = 0;
};

void PrintEntry(std::ostream& out, const JournalEntry& entry) {
  const JournalPrinter& printer = entry.printer;
  out << '#' << entry.id << "  " << entry.time << "  " << entry.operation << "  " << entry.state;
  if (entry.settled_by) out << ", settled by #" << *entry.settled_by;
  out << "\n  printer " << Printable(printer.usb_id) << " (" << printer.model << ", head ID "
      << Printable(printer.head_id) << ", " << printer.port << "), by " << entry.user << '\n';
  if (!entry.failure.empty()) out << "  " << entry.failure << '\n';
  for (std::size_t k = 0; k < entry.changes.size(); ++k) {
    const JournalChange& change = entry.changes[k];
    out << "  " << ByteToHexPair(change.address) << ": " << ByteToHexPair(change.before) << " -> "
        << ByteToHexPair(change.after);
    if (k % kChangesPerLine == kChangesPerLine - 1 || k + 1 == entry.changes.size()) out << '\n';
  }
}

int Unusable(Console& console, const JournalStore& store) {
  console.err << "The service journal cannot be read: " << store.Problem() << '\n';
  return kFailed;
}

int List(const Arguments& args, Console& console) {
  const JournalStore store(DefaultJournalFile());
  if (!store.Problem().empty()) return Unusable(console, store);
  for (const JournalEntry& entry : store.Entries(args.usb_id)) PrintEntry(console.out, entry);
  return kDone;
}

int Show(const Arguments& args, Console& console) {
  const JournalStore store(DefaultJournalFile());
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
struct Settling {
  const char* name;
  bool back;
  const char* done;
};

constexpr Settling kUndo{"undo", true, "undone"};
constexpr Settling kRollback{"rollback", true, "rolled back"};
constexpr Settling kResume{"resume", false, "finished"};

int SettleEntry(Opalctl& ctl, const Arguments& args, const Settling& how) {
  ctl.Connect();
  const auto entry = ctl.journal_store.Entry(args.id);
  if (!entry) {
    ctl.console.err << "The journal has no entry #" << args.id << ".\n";
    return kFailed;
  }
  // Another printer's bytes would land on this one: the entry must be this printer's.
  if (entry->printer.port != ctl.printer_key) {
    ctl.console.err << "Entry #" << args.id << " was made on the printer at " << entry->printer.port
                    << ", not on this one.\n";
    return kFailed;
  }
  const std::string name = std::string(how.name) + " of #" + std::to_string(args.id);
  if (const Result result = ctl.journal->Settle(*entry, how.back, name); result != PORT_OK) {
    return ctl.Failed(result);
  }
  ctl.console.out << "Entry #" << args.id << ' ' << how.done << ": " << entry->changes.size()
                  << " bytes written and read back (entry #" << *ctl.journal->CurrentEntry()
                  << ").\n";
  return kDone;
}

}  // namespace

void AddJournalCommands(CLI::App& app, Action& chosen, SessionlessAction& sessionless) {
  const auto args = std::make_shared<Arguments>();
  auto* journal = app.add_subcommand("journal", "The record of every write to a printer")
                      ->require_subcommand(0, 1);
  journal->add_option("--printer", args->usb_id, "Only the entries of the printer with USBID");
  auto* list = journal->add_subcommand("list", "List the entries with old and new bytes");
  list->add_option("--printer", args->usb_id, "Only the entries of the printer with USBID");
  const auto list_all = [args](const Target&, Console& console) { return List(*args, console); };
  list->callback([&sessionless, list_all] { sessionless = list_all; });
  journal->callback([&sessionless, journal, list_all] {
    if (journal->get_subcommands().empty()) sessionless = list_all;
  });

  auto* show = journal->add_subcommand("show", "Show one entry");
  show->add_option("ID", args->id)->required();
  show->callback([&sessionless, args] {
    sessionless = [args](const Target&, Console& console) { return Show(*args, console); };
  });

  for (const Settling* how : {&kUndo, &kRollback, &kResume}) {
    const char* help = how == &kResume ? "Write the entry's new values to the printer"
                                       : "Write the entry's old values back to the printer";
    auto* settle = journal->add_subcommand(how->name, help);
    settle->add_option("ID", args->id)->required();
    Runs(settle, chosen, [args, how](Opalctl& ctl) { return SettleEntry(ctl, *args, *how); });
  }
}

}  // namespace opal::cli
