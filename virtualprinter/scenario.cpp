#include "virtualprinter/scenario.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "virtualprinter/eepromareas.h"
#include "virtualprinter/headcondition.h"
#include "virtualprinter/headlabel.h"
#include "virtualprinter/inksystem.h"

namespace vp {
namespace {

// A head out of line by at most this many steps shows its straight column on one check print,
// which trials the stored value and the two on either side of it.
constexpr int kMostOffset = 2;
constexpr int kMostCloggedInks = 3;
constexpr int kMostCloggedPerInk = 5;

int Pick(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

// Every row lands off its stored value, by a different amount per row.
void Misalign(const Memory& eeprom, Simulation& simulation, std::mt19937& random) {
  for (std::size_t row = 0; row < simulation.bid_misalignment.size(); ++row) {
    const int offset = Pick(random, 1, kMostOffset) * (Pick(random, 0, 1) == 0 ? -1 : 1);
    simulation.bid_misalignment[row] = static_cast<int8_t>(eeprom[BidAddress(row)]) + offset;
  }
}

// Only the pad is at fault: the head lines up with the values stored.
void Align(const Memory& eeprom, Simulation& simulation) {
  for (std::size_t row = 0; row < simulation.bid_misalignment.size(); ++row) {
    simulation.bid_misalignment[row] = static_cast<int8_t>(eeprom[BidAddress(row)]);
  }
}

void Clog(Simulation& simulation, std::mt19937& random) {
  const int inks = Pick(random, 1, kMostCloggedInks);
  for (int n = 0; n < inks; ++n) {
    uint64_t& nozzles = simulation.clogged_nozzles[static_cast<std::size_t>(
        Pick(random, 0, static_cast<int>(simulation.clogged_nozzles.size()) - 1))];
    const int count = Pick(random, 2, kMostCloggedPerInk);
    for (int c = 0; c < count; ++c) {
      nozzles |= uint64_t{1} << Pick(random, 0, HeadCondition::kNozzles - 1);
    }
  }
}

void FitNewHead(const Memory& eeprom, Simulation& simulation, std::mt19937& random) {
  const std::string stored = StoredHeadId(eeprom);
  do {
    simulation.head_label = RandomHeadLabel(random);
  } while (simulation.head_label == stored);
  simulation.ink_charged = false;
}

// A spare board leaves the factory without the values of the printer it goes into.
void FitSpareBoard(Memory& eeprom) {
  BlankHeadId(eeprom);
  for (std::size_t row = 0; row < 6; ++row) eeprom[BidAddress(row)] = 0;
  std::fill_n(eeprom.begin() + kUsbId, kUsbIdLength + kUsbStampLength, 0);
}

}  // namespace

std::vector<std::string> ScenarioNameList() {
  return {kScenarioNames.begin(), kScenarioNames.end()};
}

void ApplyScenario(std::string_view name, Memory& eeprom, Simulation& simulation,
                   std::mt19937& random) {
  if (name == "misaligned-head") {
    Misalign(eeprom, simulation, random);
  } else if (name == "head-reseated") {
    Misalign(eeprom, simulation, random);
    Clog(simulation, random);
  } else if (name == "new-head") {
    FitNewHead(eeprom, simulation, random);
    Misalign(eeprom, simulation, random);
  } else if (name == "new-main-board") {
    FitSpareBoard(eeprom);
    Misalign(eeprom, simulation, random);
  } else if (name == "full-waste-pad") {
    SetProtectionCounter(eeprom, kCounterMaximum);
    Align(eeprom, simulation);
  } else {
    throw std::invalid_argument("unknown scenario \"" + std::string(name) + "\"");
  }
  simulation.scenario = std::string(name);
}

}  // namespace vp
