#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// journal [list] [--printer USBID], journal show ID: the record of every write, no printer needed.
// journal undo|resume|rollback ID: write an entry's old or new values back to the printer.
void AddJournalCommands(CLI::App& app, Action& chosen, SessionlessAction& sessionless);

}  // namespace opal::cli
