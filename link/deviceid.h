#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace opal {

// The most of a device-ID answer the program asks for, length prefix included.
inline constexpr std::size_t kDeviceIdSize = 200;

// The text of a device-ID answer as printer drivers hand it back: a two-byte length that counts
// itself, then the text. A length beyond the bytes given means the driver cut the answer short and
// kept the full length: the text is then what is there. Empty when the answer is too short to
// name a printer.
std::string DeviceIdFromReply(std::span<const uint8_t> reply);

// Whether the bytes received so far hold as much as the answer's length prefix announces.
bool DeviceIdComplete(std::span<const uint8_t> received);

}  // namespace opal
