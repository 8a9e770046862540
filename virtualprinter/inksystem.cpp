#include "virtualprinter/inksystem.h"

#include <algorithm>

namespace vp {
namespace {

// Chip bytes: percent of each ink used (black chip: address 0; colour chip: cyan, magenta,
// yellow, light cyan, light magenta at 0 to 4) and the cleaning counter.
constexpr std::size_t kBlackInks = 1;
constexpr std::size_t kColorInks = 5;
constexpr std::size_t kCleaningCounter = 6;
constexpr int kEmpty = 100;
constexpr int kCounterLimit = 255;

// The protection counter: high byte at 0x1A, low byte at 0x1B. It stops at the most the pad is
// rated for, as the printer's does.
constexpr std::size_t kCounterHigh = 0x1A;
constexpr std::size_t kCounterLow = 0x1B;

struct Cost {
  int black_percent;
  int color_percent;
  int counter_points;
};

// The points follow the ink drawn: the factory's initial charge left 500 on the counter, and a
// cleaning draws a little under two fifths of a charge's ink.
constexpr Cost kPowerfulCleaning{4, 8, 190};
constexpr Cost kInkCharge{10, 20, 500};

void UseInk(Memory& chip, std::size_t inks, int percent) {
  for (std::size_t ink = 0; ink < inks; ++ink) {
    chip[ink] =
        static_cast<uint8_t>(std::max<int>(chip[ink], std::min(kEmpty, chip[ink] + percent)));
  }
  chip[kCleaningCounter] =
      static_cast<uint8_t>(std::min(kCounterLimit, chip[kCleaningCounter] + 1));
}

void RaiseCounter(Memory& eeprom, int points) {
  const int now = ProtectionCounter(eeprom);
  SetProtectionCounter(eeprom, std::max(now, std::min(kCounterMaximum, now + points)));
}

}  // namespace

int ProtectionCounter(const Memory& eeprom) {
  return eeprom[kCounterHigh] << 8 | eeprom[kCounterLow];
}

void SetProtectionCounter(Memory& eeprom, int value) {
  eeprom[kCounterHigh] = static_cast<uint8_t>(value >> 8 & 0xFF);
  eeprom[kCounterLow] = static_cast<uint8_t>(value & 0xFF);
}

void ClearSomeNozzles(std::array<uint64_t, 6>& clogged) {
  for (uint64_t& nozzles : clogged) {
    bool clear = true;
    for (int nozzle = 0; nozzle < 64; ++nozzle) {
      const uint64_t bit = uint64_t{1} << nozzle;
      if ((nozzles & bit) == 0) continue;
      if (clear) nozzles &= ~bit;
      clear = !clear;
    }
  }
}

void RunCleaningSequence(CleaningMode mode, const InkSystem& ink) {
  const Cost& cost = mode == CleaningMode::InkCharge ? kInkCharge : kPowerfulCleaning;
  UseInk(ink.black_chip, kBlackInks, cost.black_percent);
  UseInk(ink.color_chip, kColorInks, cost.color_percent);
  RaiseCounter(ink.eeprom, cost.counter_points);
}

}  // namespace vp
