#include "virtualprinter/printermodel.h"

#include <algorithm>
#include <initializer_list>

namespace vp {
namespace {

struct ModelInfo {
  Model model;
  std::string_view key;
  std::string_view name;
  uint8_t variant;            // EEPROM 0x5E
  std::string_view identity;  // EEPROM 0x60-0x6F, NUL-padded
};

constexpr std::array kModels{
    ModelInfo{Model::Opal310, "310", "Corvane Opal 310", 0x02, "Corvane Opal 310"},
    ModelInfo{Model::Opal320, "320", "Corvane Opal 320", 0x00, ""},
    ModelInfo{Model::Qx310C, "QX-310C", "QX-310C", 0x01, "QX-310C"},
};

const ModelInfo& Info(Model model) {
  return *std::find_if(kModels.begin(), kModels.end(),
                       [model](const ModelInfo& info) { return info.model == model; });
}

void Put(Memory& memory, std::size_t address, std::string_view text) {
  std::copy(text.begin(), text.end(), memory.begin() + static_cast<long>(address));
}

void Put(Memory& memory, std::size_t address, std::initializer_list<uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<long>(address));
}

// What both cartridges' chips hold: maker, dates and counters.
Memory FreshChip(std::chrono::year_month_day made) {
  Memory chip{};
  // The chip keeps two year digits; the firmware's calendar ends with 2098.
  const auto year = static_cast<uint8_t>(std::clamp(static_cast<int>(made.year()) - 2000, 0, 98));
  chip[6] = 1;  // cleaning counter: the factory's initial charge
  chip[7] = 1;  // install counter
  Put(chip, 12,
      {year, static_cast<uint8_t>(static_cast<unsigned>(made.month())),
       static_cast<uint8_t>(static_cast<unsigned>(made.day()))});
  chip[28] = 24;  // months of use from the product date
  chip[29] = 6;   // months of use once opened
  Put(chip, 35, "VELTA");
  return chip;
}

}  // namespace

std::optional<Model> ModelFromKey(std::string_view key) {
  const auto found = std::find_if(kModels.begin(), kModels.end(),
                                  [key](const ModelInfo& info) { return info.key == key; });
  if (found == kModels.end()) return std::nullopt;
  return found->model;
}

std::string_view ModelKey(Model model) {
  return Info(model).key;
}

std::string_view ModelName(Model model) {
  return Info(model).name;
}

Memory FreshEeprom(Model model) {
  Memory eeprom{};
  eeprom[0x26] = 0x05;              // ink flag 2 at its factory value; flag 1 (0x01) is 0
  Put(eeprom, 0x1A, {0x01, 0xF4});  // protection counter 500, from the factory's initial charge
  // Bi-D black MS, 6pl, 4pl = 3, -2, 1; colour -4, 2, 0
  Put(eeprom, 0x33, {3, 0xFE, 1, 0xFC, 2, 0});
  // Head ID M3RF5GTPQ2SLJ: positions 1, 3-7, 2, the derived byte, then 8, 10, 12, 9, 11; the
  // derived byte makes 0x46-0x4B add up to 0x2C.
  Put(eeprom, 0x3F, {12, 17, 6, 30, 7, 19, 3, 0x3A, 46, 58, 42, 47, 49});
  Put(eeprom, 0x4C, "K4A7Q20931O5E9BH20");  // serial number, stamped 14 May 2023 09:41:17
  const ModelInfo& info = Info(model);
  eeprom[0x5E] = info.variant;
  Put(eeprom, 0x60, info.identity);
  return eeprom;
}

Memory FreshBlackChip(std::chrono::year_month_day made) {
  Memory chip = FreshChip(made);
  chip[0] = 4;  // percent of the ink the initial charge used
  return chip;
}

Memory FreshColorChip(std::chrono::year_month_day made) {
  Memory chip = FreshChip(made);
  Put(chip, 0, {3, 5, 2, 6, 4});  // cyan, magenta, yellow, light cyan, light magenta used
  return chip;
}

}  // namespace vp
