#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/session.h"
#include "link/timing.h"

namespace opal::cli {

// One opalctl run: `args` as typed after the program's name. The printer's time limits and the
// fixed waits run on `clock` and `sleeper`; every line goes to `console`. Returns the exit
// status.
// The service journal is `journal_file`, by default the one of $XDG_DATA_HOME.
int RunOpalctl(const std::vector<std::string>& args, Clock& clock, Sleeper& sleeper,
               Console& console, const std::filesystem::path& journal_file = DefaultJournalFile());

}  // namespace opal::cli
