#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace opal::testing {

// A page-language stream cut into what the printer sees, decoded on its own from the command
// layout, so a test checks what the program sent rather than how it built it.
struct PageElement {
  enum class Kind { Text, Command, Band, ServiceFrame };
  Kind kind = Kind::Text;
  // Text: consecutive text bytes with their NULs; Command: e.g. "ESC @", "ESC (v", "ESC U",
  // "ESC <", "CR", "LF", "FF"; Band: "ESC ." or "ESC i".
  std::string name;
  std::vector<uint8_t> bytes;  // the whole command, text or service frame; a band's header
  // Bands: the ink in force (SelectInk's density << 4 | colour, or the transfer's ink byte), the
  // expanded rows and the runs each row took.
  uint8_t ink = 0;
  std::vector<std::vector<uint8_t>> rows;
  std::vector<int> runs;
};

struct DecodedStream {
  std::vector<PageElement> elements;
  std::string error;  // empty when the whole stream decoded; otherwise where it broke

  std::vector<const PageElement*> Named(const std::string& name) const;
  std::vector<const PageElement*> Bands() const;
  std::vector<const PageElement*> ServiceFrames() const;
  // All text bytes in order, NULs included.
  std::string Text() const;

 private:
  template <typename Keep>
  std::vector<const PageElement*> Where(Keep keep) const {
    std::vector<const PageElement*> found;
    for (const auto& element : elements) {
      if (keep(element)) found.push_back(&element);
    }
    return found;
  }
};

DecodedStream DecodePageStream(std::span<const uint8_t> stream);

}  // namespace opal::testing
