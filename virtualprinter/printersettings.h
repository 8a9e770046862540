#pragma once

#include <nlohmann/json.hpp>

#include "virtualprinter/virtualprinter.h"

namespace vp {

// Faults and simulation settings as printer.json holds them. The readers throw
// std::invalid_argument naming the setting at fault; a setting left out keeps its default.
nlohmann::json FaultsToJson(const Faults& faults);
Faults FaultsFromJson(const nlohmann::json& settings);
void CheckFaults(const Faults& faults);

// Simulation settings are top-level keys of printer.json.
nlohmann::json SimulationToJson(const Simulation& simulation);
Simulation SimulationFromJson(const nlohmann::json& settings);
void CheckSimulation(const Simulation& simulation);

}  // namespace vp
