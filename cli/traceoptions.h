#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "cli/session.h"

namespace opal::cli {

// --trace FILE, --trace-keep-ids and --replay FILE (which excludes `virtual_option`).
void AddTraceOptions(CLI::App& app, CLI::Option* virtual_option, Target& target);

// Once the line is parsed: the command line a trace names, and for a replay without --port the
// port the trace opens first. Throws ProgramEnd for a trace that cannot be read.
void CompleteTraceOptions(const std::vector<std::string>& args, Target& target);

// `args` without how the run chose its printer or its trace, so a replay can add its own; the ID
// a usb-id write gives is masked unless the trace keeps IDs.
std::string TracedCommand(const std::vector<std::string>& args, bool keep_ids);

}  // namespace opal::cli
