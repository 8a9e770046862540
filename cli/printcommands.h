#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// bid read, bid write, print bid, print nozzle, print pattern.
void AddPrintCommands(CLI::App& app, Action& chosen);

// The one `print` command, made by whichever file adds the first thing to print.
CLI::App* PrintCommand(CLI::App& app);

}  // namespace opal::cli
