#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// print bid, print nozzle, print pattern, print chips, print a4.
void AddPrintCommands(CLI::App& app, Action& chosen);

}  // namespace opal::cli
