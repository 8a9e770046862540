#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vp {

enum class Model { Opal310, Opal320, Qx310C };

inline constexpr std::size_t kMemorySize = 256;
using Memory = std::array<uint8_t, kMemorySize>;

// The key printer.json keeps ("310", "320", "QX-310C"); nullopt for any other text.
std::optional<Model> ModelFromKey(std::string_view key);
std::string_view ModelKey(Model model);
// The name the printer gives itself in its device ID.
std::string_view ModelName(Model model);

// EEPROM contents as the printer leaves the factory.
Memory FreshEeprom(Model model);
// Cartridge chip of a cartridge fitted on `made`; the colour chip holds five inks.
Memory FreshBlackChip(std::chrono::year_month_day made);
Memory FreshColorChip(std::chrono::year_month_day made);

}  // namespace vp
