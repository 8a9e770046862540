#pragma once

#include <string>

#include "cli/session.h"

namespace opal::cli {

// Finds the printer's last known values by its serial, in the shop or this bench's journal, says
// in words what would change, asks, and writes them verified as one journal entry.
int RestoreValues(Opalctl& ctl, const std::string& serial, bool yes);

}  // namespace opal::cli
