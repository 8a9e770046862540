#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tests/virtualprinter/printerfixture.h"

namespace vp::testing {

// Page-language commands written out from the language's definition, for the streams a test
// sends; nothing here is taken from the program's emitters.
namespace page {

inline Bytes Initialize() {
  return {0x1B, 0x40};
}
inline Bytes GraphicsMode() {
  return {0x1B, 0x28, 0x47, 0x01, 0x00, 0x01};
}
inline Bytes Unit(uint8_t unit) {
  return {0x1B, 0x28, 0x55, 0x01, 0x00, unit};
}
// 1 unidirectional, 0 bidirectional.
inline Bytes Direction(uint8_t mode) {
  return {0x1B, 0x55, mode};
}
inline Bytes DotSize(uint8_t size) {
  return {0x1B, 0x28, 0x65, 0x02, 0x00, 0x00, size};
}
inline Bytes ColorMode(uint8_t mode) {
  return {0x1B, 0x28, 0x4B, 0x02, 0x00, 0x00, mode};
}
inline Bytes SelectInk(uint8_t density, uint8_t colour) {
  return {0x1B, 0x28, 0x72, 0x02, 0x00, density, colour};
}
inline Bytes EndBand() {
  return {0x1B, 0x3C, 0x0D};
}
inline Bytes Advance(uint16_t units) {
  return {
      0x1B, 0x28, 0x76, 0x02, 0x00, static_cast<uint8_t>(units), static_cast<uint8_t>(units >> 8),
      0x0D};
}
// A 1-bit run-length band in the ink last selected: rows 1/120 inch apart, dots 1/360 inch apart.
inline Bytes RasterHeader(uint8_t rows, uint16_t width_dots) {
  return {0x1B,
          0x2E,
          0x01,
          0x1E,
          0x0A,
          rows,
          static_cast<uint8_t>(width_dots),
          static_cast<uint8_t>(width_dots >> 8)};
}
// Base 360, rows 1/120 inch apart, dots 1/360 inch apart.
inline Bytes RasterResolution() {
  return {0x1B, 0x28, 0x44, 0x04, 0x00, 0x68, 0x01, 0x03, 0x01};
}
// A 2-bit run-length band; ink = density << 4 | colour.
inline Bytes RasterTransfer(uint8_t ink, uint16_t bytes_per_row, uint16_t rows) {
  return {0x1B,
          0x69,
          ink,
          0x01,
          0x02,
          static_cast<uint8_t>(bytes_per_row),
          static_cast<uint8_t>(bytes_per_row >> 8),
          static_cast<uint8_t>(rows),
          static_cast<uint8_t>(rows >> 8)};
}
inline Bytes Text(std::string_view text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0x00);
  return bytes;
}
inline Bytes NewLines(int count) {
  Bytes bytes;
  for (int i = 0; i < count; ++i) bytes.insert(bytes.end(), {0x0D, 0x0A});
  return bytes;
}
inline Bytes FormFeed() {
  return {0x0C};
}
inline Bytes SetBidValue(uint8_t kind, int8_t black, int8_t color) {
  const auto low = [](int8_t value) { return static_cast<uint8_t>(value); };
  const auto sign = [](int8_t value) { return static_cast<uint8_t>(value < 0 ? 0xFF : 0x00); };
  return {0x1B, 0x7C, 0x00, 0x0A,       0x00,        0x06,       0x31,       0x00,
          0xFF, 0x00, kind, low(black), sign(black), low(color), sign(color)};
}

// Run-length data of rows: equal bytes as repeat runs of up to 129, other bytes as literals of
// up to 128, so both kinds of header occur.
inline Bytes RunLength(const std::vector<Bytes>& rows) {
  Bytes out;
  for (const Bytes& row : rows) {
    std::size_t at = 0;
    while (at < row.size()) {
      std::size_t same = 1;
      while (at + same < row.size() && same < 129 && row[at + same] == row[at]) ++same;
      if (same >= 2) {
        out.insert(out.end(), {static_cast<uint8_t>(257 - same), row[at]});
        at += same;
        continue;
      }
      std::size_t literal = 1;
      while (at + literal < row.size() && literal < 128 &&
             (at + literal + 1 >= row.size() || row[at + literal] != row[at + literal + 1])) {
        ++literal;
      }
      out.push_back(static_cast<uint8_t>(literal - 1));
      out.insert(out.end(), row.begin() + static_cast<long>(at),
                 row.begin() + static_cast<long>(at + literal));
      at += literal;
    }
  }
  return out;
}

}  // namespace page
}  // namespace vp::testing
