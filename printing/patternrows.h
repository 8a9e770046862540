#pragma once

#include <cstdint>
#include <string_view>

#include "printing/raster.h"

namespace opal::pattern {

// What every raster test pattern shares: the vertical unit, the print directions and the 48 rows
// of a band.
inline constexpr uint8_t kUnit = 10;  // 1/360 inch for every vertical move
inline constexpr uint8_t kUnidirectional = 1;
inline constexpr uint8_t kBidirectional = 0;
inline constexpr int kBandRows = 48;
inline constexpr uint8_t kNextPass = 1;  // the passes of one band lie 1/360 inch apart

inline void SendTitleLine(TRasterPrinter& raster, std::string_view text) {
  DropResult(raster.SendText(text));
  DropResult(raster.SendNewLines(1));
}

template <typename SendRow>
void SendRows(SendRow send_row) {
  for (int row = 1; row <= kBandRows; ++row) send_row(row);
}

}  // namespace opal::pattern
