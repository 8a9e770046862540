#include "link/deviceid.h"

#include <algorithm>
#include <optional>

namespace opal {

namespace {

constexpr std::size_t kPrefixSize = 2;
// "MFG:x;MDL:y;" with its prefix: anything shorter cannot name a printer.
constexpr std::size_t kShortestAnswer = 14;

std::size_t BigEndianLength(std::span<const uint8_t> reply) {
  return std::size_t{reply[0]} << 8 | reply[1];
}

bool Fits(std::size_t length, std::size_t available) {
  return length >= kPrefixSize && length <= available;
}

// The length the answer gives itself, when that much is there.
std::optional<std::size_t> FittingLength(std::span<const uint8_t> reply) {
  if (reply.size() < kPrefixSize) return std::nullopt;
  if (const std::size_t length = BigEndianLength(reply); Fits(length, reply.size())) return length;
  // The standard says big-endian, but some printers send the length the other way round.
  if (const std::size_t length = std::size_t{reply[1]} << 8 | reply[0];
      Fits(length, reply.size())) {
    return length;
  }
  return std::nullopt;
}

}  // namespace

bool DeviceIdComplete(std::span<const uint8_t> received) {
  return FittingLength(received).has_value();
}

std::string DeviceIdFromReply(std::span<const uint8_t> reply) {
  std::size_t length = 0;
  if (const std::optional<std::size_t> fitting = FittingLength(reply)) {
    length = *fitting;
  } else if (reply.size() >= kPrefixSize && BigEndianLength(reply) > reply.size()) {
    length = reply.size();
  }
  if (length < kShortestAnswer) return {};
  const auto text = reply.subspan(kPrefixSize, length - kPrefixSize);
  // Some printers count their whole buffer, zero padding included.
  const auto end = std::find(text.begin(), text.end(), uint8_t{0});
  return std::string(text.begin(), end);
}

}  // namespace opal
