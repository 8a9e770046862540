#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace opal::fuzz {

inline std::string_view AsText(const uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Two fields a technician types, split at the first newline.
inline std::pair<std::string_view, std::string_view> TwoFields(const uint8_t* data,
                                                               std::size_t size) {
  const std::string_view text = AsText(data, size);
  const std::size_t cut = text.find('\n');
  if (cut == std::string_view::npos) return {text, {}};
  return {text.substr(0, cut), text.substr(cut + 1)};
}

}  // namespace opal::fuzz
