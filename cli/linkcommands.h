#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"
#include "device/eeprom.h"

namespace opal::cli {

// device-id, eeprom read|write|backup|restore, identity.
void AddLinkCommands(CLI::App& app, Action& chosen);

// Writes the bytes of `image` that differ on the connected printer, then checks all 256 against
// it, and reports each mismatch.
int RestoreImage(Opalctl& ctl, const EepromImage& image);

}  // namespace opal::cli
