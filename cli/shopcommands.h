#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// shop status|sync: where forwarding the journal to the shop's database stands, and forwarding now.
// history --printer ID: a printer's entries from every bench, newest first.
void AddShopCommands(CLI::App& app, SessionlessAction& sessionless, const Clock& clock);

// After a run that may have written: forwards what waits when the back-off allows, and says so
// when the shop could not take it. The run's own result stands either way.
void ForwardAfterRun(JournalStore& store, const Clock& clock, Console& console);

}  // namespace opal::cli
