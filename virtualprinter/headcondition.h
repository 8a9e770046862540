#pragma once

#include <array>
#include <cstdint>

#include "virtualprinter/pagecanvas.h"

namespace vp {

// How the fitted head prints at this moment.
struct HeadCondition {
  static constexpr int kNozzles = 48;  // per ink

  bool charged = true;                // a head without ink prints nothing
  bool id_matches = true;             // driven with another head's data it prints faint and banded
  std::array<uint64_t, 6> clogged{};  // per ink in the order of Ink, bit n for nozzle n

  bool Fires(Ink ink, int nozzle) const {
    return (clogged[static_cast<std::size_t>(ink)] >> (nozzle % kNozzles) & 1) == 0;
  }
};

}  // namespace vp
