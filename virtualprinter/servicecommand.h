#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <variant>

namespace vp {

inline constexpr uint8_t kEsc = 0x1B;
inline constexpr uint8_t kServiceIntroducer = 0x7C;   // ESC | opens a service frame
inline constexpr std::size_t kServiceHeaderSize = 5;  // ESC | 00 N 00

enum class Cartridge { Black, Color };

struct EepromRead {
  uint8_t address;
};
struct EepromWrite {
  uint8_t address;
  uint8_t value;
};
struct ChipRead {
  Cartridge cartridge;
  uint8_t address;
};
struct Initialize {};
// One dot kind's pair of Bi-D values; an empty slot keeps the value in force.
struct BidValue {
  uint8_t kind;  // 1 MS, 2 6pl, 3 4pl
  std::optional<int8_t> black;
  std::optional<int8_t> color;
};
enum class CleaningMode : uint8_t { InkCharge = 9, Powerful = 10 };
struct Cleaning {
  CleaningMode mode;
};
struct LiquidExchange {};

using ServiceCommand =
    std::variant<EepromRead, EepromWrite, ChipRead, Initialize, BidValue, Cleaning, LiquidExchange>;

// The command a complete frame (header included) carries, or nullopt when any of its bytes is not
// what the command requires.
std::optional<ServiceCommand> ParseServiceFrame(std::span<const uint8_t> frame);

}  // namespace vp
