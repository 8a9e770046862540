#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>

#include "cli/session.h"

namespace opal::cli {

// journal [list] [--printer USBID], journal show ID: the record of every write, no printer needed.
// journal undo|resume|rollback ID: write an entry's old or new values back to the printer.
// journal restore-values --serial S: a new main board gets its printer's values back.
void AddJournalCommands(CLI::App& app, Action& chosen, SessionlessAction& sessionless);

// An entry as `journal list` shows it: what, when, which printer, who at which bench, the changes.
void PrintEntry(std::ostream& out, const JournalEntry& entry);

}  // namespace opal::cli
