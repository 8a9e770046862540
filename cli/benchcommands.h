#pragma once

#include <CLI/CLI.hpp>
#include <functional>

#include "cli/session.h"

namespace opal::cli {

// A command that needs no printer session: it runs once the line is parsed, instead of opening
// the port.
using SessionlessAction = std::function<int(const Target&, Console&)>;

// The training bench: --scenario for a fresh virtual printer (needs `virtual_option`), `status`
// (how far the virtual printer is repaired; exit 0 only when it is) and `render FILE DIR`.
void AddBenchCommands(CLI::App& app, CLI::Option* virtual_option, Target& target,
                      SessionlessAction& chosen);

}  // namespace opal::cli
