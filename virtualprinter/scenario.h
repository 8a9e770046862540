#pragma once

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "virtualprinter/printermodel.h"
#include "virtualprinter/virtualprinter.h"

namespace vp {

// The training scenarios, each a printer with what one kind of repair puts right:
// "misaligned-head" (Bi-D adjustment), "head-reseated" (nozzle check with cleanings, then Bi-D),
// "new-head" (head ID, ink charge, nozzle check, Bi-D), "new-main-board" (head ID, Bi-D, USB ID)
// and "full-waste-pad" (protection counter clear).
inline constexpr std::array<std::string_view, 5> kScenarioNames{
    "misaligned-head", "head-reseated", "new-head", "new-main-board", "full-waste-pad"};

// The names as a command line offers them.
std::vector<std::string> ScenarioNameList();

// Turns a factory-fresh printer's EEPROM and settings into the scenario's. Throws
// std::invalid_argument for a name that is no scenario.
void ApplyScenario(std::string_view name, Memory& eeprom, Simulation& simulation,
                   std::mt19937& random);

}  // namespace vp
