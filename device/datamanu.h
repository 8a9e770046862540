#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace opal {

// Two upper-case hex digits to a byte; false for anything else, lower-case letters included.
bool HexPairToByte(std::string_view text, uint8_t& value);

// A byte as two upper-case hex digits.
std::string ByteToHexPair(uint8_t value);

// Upper case as the edit boxes force it while typing.
std::string ToUpperAscii(std::string_view text);

}  // namespace opal
