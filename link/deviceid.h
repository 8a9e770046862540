#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace opal {

// The text of a device-ID answer as printer drivers hand it back: a two-byte length that counts
// itself, then the text. Empty when the answer is too short to name a printer.
std::string DeviceIdFromReply(std::span<const uint8_t> reply);

}  // namespace opal
