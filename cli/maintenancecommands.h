#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// clean, ink-charge, liquid-exchange, data-reset, chip unique|usage black|color.
void AddMaintenanceCommands(CLI::App& app, Action& chosen);

}  // namespace opal::cli
