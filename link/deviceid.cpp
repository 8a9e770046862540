#include "link/deviceid.h"

#include <algorithm>

namespace opal {

namespace {

constexpr std::size_t kPrefixSize = 2;
// "MFG:x;MDL:y;" with its prefix: anything shorter cannot name a printer.
constexpr std::size_t kShortestAnswer = 14;

bool Plausible(std::size_t length, std::size_t available) {
  return length >= kPrefixSize && length <= available;
}

}  // namespace

std::string DeviceIdFromReply(std::span<const uint8_t> reply) {
  if (reply.size() < kPrefixSize) return {};
  std::size_t length = std::size_t{reply[0]} << 8 | reply[1];
  // The standard says big-endian, but some printers send the length the other way round.
  if (!Plausible(length, reply.size())) length = std::size_t{reply[1]} << 8 | reply[0];
  if (!Plausible(length, reply.size()) || length < kShortestAnswer) return {};
  const auto text = reply.subspan(kPrefixSize, length - kPrefixSize);
  // Some printers count their whole buffer, zero padding included.
  const auto end = std::find(text.begin(), text.end(), uint8_t{0});
  return std::string(text.begin(), end);
}

}  // namespace opal
