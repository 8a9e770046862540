#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "device/eeprom.h"
#include "link/factory.h"
#include "link/showntext.h"

namespace opal {

inline constexpr std::size_t kHeadIdLength = 13;
// Positions 1 to 12 carry data; position 13 is the check character.
inline constexpr std::size_t kHeadIdDataLength = 12;

// What the technician reads after a check and after a write.
inline constexpr std::string_view kHeadIdShownPrefix = OPAL_TEXT("Core", "Head voltage ID = ");
inline constexpr std::string_view kHeadIdWrittenFirst = "As head actuator voltage, ";
// What a successful write reads as: kHeadIdWrittenFirst, the ID in double quotes, and
// kWrittenInEeprom, one line each.
std::array<std::string, 3> HeadIdWrittenLines(std::string_view id);

using HeadIdValues = std::array<uint8_t, kHeadIdDataLength>;

// The symbol maps: a symbol's place in the list A-H, J-Z, 1-9, %, *, +, -, $, : counted from 1
// (group A) or from 32 over the first 37 symbols (group B). Decoding anything else gives 0;
// encoding a value outside the map gives the character with that code.
uint8_t DecodeGroupA(uint8_t symbol);
uint8_t EncodeGroupA(uint8_t value);
uint8_t DecodeGroupB(uint8_t symbol);
uint8_t EncodeGroupB(uint8_t value);

// 1 to 31, from the values of positions 1 to 12.
uint8_t HeadIdCheckValue(const HeadIdValues& values);

// Checks the text position by position and reports the first fault; on success `values` holds
// positions 1 to 12. Needs no printer, so callers can refuse input before connecting.
Result DecodeHeadId(std::string_view text, HeadIdValues& values);

// The text up to its first NUL: a stored 0 byte reads back as NUL, and the forms stop there.
std::string_view HeadIdAsShown(std::string_view text);

// The head ID as the printer's bytes spell it, each byte given by `byte_at`: the 12 positions
// rebuilt, with a freshly computed check character, as ReadHeadId gives it.
std::string HeadIdFromBytes(const std::function<uint8_t(uint8_t address)>& byte_at);
// The bytes a head ID text stands for, position by position, unchecked: a character outside its
// position's map gives 0.
HeadIdValues HeadIdValuesOf(std::string_view text);
// Where a head ID write also keeps a byte that depends on positions 8 to 12.
inline constexpr uint8_t kHeadIdDerivedAddress = 0x46;
// Where the 12 positions are kept.
std::array<uint8_t, kHeadIdDataLength> HeadIdAddresses();

// Head ID to and from the head data bytes of the EEPROM.
class THeadIdCoder {
 public:
  explicit THeadIdCoder(TFactoryCommand& command) : command_(command) {}

  // Writes nothing unless the whole text is valid; stops at the first failing write, leaving the
  // bytes before it written, then reads every byte back: success means the printer holds them.
  Result WriteHeadId(std::string_view text);
  // Rebuilds the 13 characters from the stored bytes, with a freshly computed check character.
  // Stored bytes outside a map come back as raw characters. `text` is untouched on failure.
  Result ReadHeadId(std::string& text);

 private:
  TFactoryCommand& command_;
};

}  // namespace opal
