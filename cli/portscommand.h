#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

#include "cli/session.h"
#include "link/portsurvey.h"

namespace opal::cli {

// A command about this machine's ports rather than one printer: it needs no --port.
using MachineAction = std::function<int(Console&)>;

// ports: what answers on each of the six ports.
void AddPortsCommand(CLI::App& app, MachineAction& chosen);

// One line of the listing: the port, then what answers there or why nothing does.
std::string PortLine(const PortReport& report);

}  // namespace opal::cli
