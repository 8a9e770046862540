#pragma once

#include <CLI/CLI.hpp>

#include "cli/session.h"

namespace opal::cli {

// report --printer ID [--since DATE] -o FILE.pdf|FILE.html: the visit's operations for the
// customer, from the shop's history or this bench's journal, with a virtual printer's pages.
void AddReportCommand(CLI::App& app, SessionlessAction& sessionless);

}  // namespace opal::cli
