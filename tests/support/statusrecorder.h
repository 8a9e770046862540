#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/statusreport.h"

namespace opal::testing {

// Keeps every status line an operation posts, in order.
struct StatusRecorder {
  StatusReport Report() {
    return [this](StatusMode mode, std::string_view text) {
      lines.emplace_back(mode, std::string(text));
    };
  }

  std::vector<std::pair<StatusMode, std::string>> lines;
};

}  // namespace opal::testing
