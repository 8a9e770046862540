#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// `doctor`: what stands between this machine and a printer, port by port, and what to do.
void AddDoctorCommand(CLI::App& app, SessionlessAction& chosen);

}  // namespace opal::cli
