#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// device-id, eeprom read|write|backup|restore, identity.
void AddLinkCommands(CLI::App& app, Action& chosen);

}  // namespace opal::cli
