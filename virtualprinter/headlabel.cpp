#include "virtualprinter/headlabel.h"

#include <array>

namespace vp {
namespace {

// The 40 symbols of a head ID in their order; group A counts them from 1, group B from 32.
constexpr std::string_view kSymbols = "ABCDEFGHJKLMNOPQRSTUVWXYZ123456789%*+-$:";
constexpr int kGroupBBase = 32;
constexpr int kCheckModulus = 31;
constexpr uint8_t kDerivedByte = 0x46;

enum class Map { GroupA, Digit, GroupB };

// Positions 1 to 12: where each is kept, how it is written and the values it may take.
struct Position {
  uint8_t address;
  Map map;
  int low;
  int high;
};
constexpr std::array<Position, 12> kPositions{{{0x3F, Map::GroupA, 1, 32},
                                               {0x45, Map::Digit, 0, 6},
                                               {0x40, Map::GroupA, 1, 37},
                                               {0x41, Map::GroupA, 1, 34},
                                               {0x42, Map::GroupA, 1, 40},
                                               {0x43, Map::GroupA, 1, 34},
                                               {0x44, Map::GroupA, 1, 34},
                                               {0x47, Map::GroupB, 32, 68},
                                               {0x4A, Map::GroupB, 32, 68},
                                               {0x48, Map::GroupB, 32, 68},
                                               {0x4B, Map::GroupB, 32, 68},
                                               {0x49, Map::GroupB, 32, 68}}};

char Symbol(Map map, int value) {
  switch (map) {
    case Map::Digit:
      if (value == 0) return 'Z';
      return value <= 6 ? static_cast<char>('0' + value) : '?';
    case Map::GroupA:
      return value >= 1 && value <= static_cast<int>(kSymbols.size()) ? kSymbols[value - 1] : '?';
    case Map::GroupB:
      return value >= kGroupBBase && value <= 68 ? kSymbols[value - kGroupBBase] : '?';
  }
  return '?';
}

std::string Label(const std::array<int, 12>& values) {
  std::string label;
  int sum = 0;
  for (std::size_t n = 0; n < kPositions.size(); ++n) {
    label += Symbol(kPositions[n].map, values[n]);
    sum += 2 * static_cast<int>(n + 1) * values[n];
  }
  return label + Symbol(Map::GroupA, kCheckModulus - sum % kCheckModulus);
}

}  // namespace

std::string StoredHeadId(const Memory& eeprom) {
  std::array<int, 12> values{};
  for (std::size_t n = 0; n < kPositions.size(); ++n) values[n] = eeprom[kPositions[n].address];
  return Label(values);
}

std::string RandomHeadLabel(std::mt19937& random) {
  std::array<int, 12> values{};
  for (std::size_t n = 0; n < kPositions.size(); ++n) {
    values[n] = std::uniform_int_distribution<int>(kPositions[n].low, kPositions[n].high)(random);
  }
  return Label(values);
}

void BlankHeadId(Memory& eeprom) {
  for (const Position& position : kPositions) eeprom[position.address] = 0;
  eeprom[kDerivedByte] = 0;
}

}  // namespace vp
