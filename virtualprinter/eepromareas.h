#pragma once

#include <cstddef>
#include <cstdint>

namespace vp {

// Where the printer keeps the values a repair sets.
inline constexpr uint8_t kBidBlack = 0x33;  // MS, 6pl, 4pl follow one another
inline constexpr uint8_t kBidColor = 0x36;
inline constexpr uint8_t kUsbId = 0x4C;  // ten characters, then the eight of its stamp
inline constexpr std::size_t kUsbIdLength = 10;
inline constexpr std::size_t kUsbStampLength = 8;

// The Bi-D row in the order of Simulation::bid_misalignment (MS black, MS colour, 6pl black, ...).
inline constexpr uint8_t BidAddress(std::size_t row) {
  return static_cast<uint8_t>((row % 2 == 0 ? kBidBlack : kBidColor) + row / 2);
}

}  // namespace vp
