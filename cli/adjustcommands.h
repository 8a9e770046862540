#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// head-id read|write, usb-id read|write, counter read|clear, bid read|write.
void AddAdjustCommands(CLI::App& app, Action& chosen);

}  // namespace opal::cli
