#pragma once

#include <CLI/CLI.hpp>
#include <functional>

#include "cli/session.h"

namespace opal::cli {

// The training bench: --scenario for a fresh virtual printer (needs `virtual_option`), `status`
// (how far the virtual printer is repaired; exit 0 only when it is) and `render FILE DIR`.
void AddBenchCommands(CLI::App& app, CLI::Option* virtual_option, Target& target,
                      SessionlessAction& chosen);

}  // namespace opal::cli
