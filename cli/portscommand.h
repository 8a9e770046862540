#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

#include "cli/session.h"
#include "link/portsurvey.h"

namespace opal::cli {

// ports: what answers on each of the six ports of this machine; needs no --port.
void AddPortsCommand(CLI::App& app, SessionlessAction& chosen);

// One line of the listing: the port, then what answers there or why nothing does.
std::string PortLine(const PortReport& report);

}  // namespace opal::cli
