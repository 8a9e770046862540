#include "tests/support/pagestream.h"

#include <stdexcept>

namespace opal::testing {
namespace {

constexpr uint8_t kEsc = 0x1B;

class Decoder {
 public:
  explicit Decoder(std::span<const uint8_t> stream) : in_(stream) {}

  DecodedStream Run() {
    try {
      while (at_ < in_.size()) Next();
    } catch (const std::runtime_error& broken) {
      out_.error = broken.what() + std::string(" at byte ") + std::to_string(at_);
    }
    return std::move(out_);
  }

 private:
  uint8_t Take() {
    if (at_ >= in_.size()) throw std::runtime_error("stream ends inside a command");
    return in_[at_++];
  }

  std::vector<uint8_t> TakeBytes(std::size_t count) {
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i < count; ++i) bytes.push_back(Take());
    return bytes;
  }

  void Add(PageElement::Kind kind, std::string name, std::vector<uint8_t> bytes) {
    PageElement element;
    element.kind = kind;
    element.name = std::move(name);
    element.bytes = std::move(bytes);
    out_.elements.push_back(std::move(element));
  }

  void Next() {
    const uint8_t byte = in_[at_];
    if (byte == kEsc) return Escape();
    ++at_;
    if (byte == 0x0D) return Add(PageElement::Kind::Command, "CR", {byte});
    if (byte == 0x0A) return Add(PageElement::Kind::Command, "LF", {byte});
    if (byte == 0x0C) return Add(PageElement::Kind::Command, "FF", {byte});
    if (out_.elements.empty() || out_.elements.back().kind != PageElement::Kind::Text) {
      Add(PageElement::Kind::Text, "text", {});
    }
    out_.elements.back().bytes.push_back(byte);
  }

  void Escape() {
    std::vector<uint8_t> bytes = TakeBytes(2);
    const uint8_t code = bytes[1];
    const auto append = [&](std::size_t count) {
      const auto more = TakeBytes(count);
      bytes.insert(bytes.end(), more.begin(), more.end());
    };
    switch (code) {
      case '@':
        return Add(PageElement::Kind::Command, "ESC @", bytes);
      case '<':
        return Add(PageElement::Kind::Command, "ESC <", bytes);
      case 'U':
        append(1);
        return Add(PageElement::Kind::Command, "ESC U", bytes);
      case 0x00:
        append(2);
        return Add(PageElement::Kind::Command, "ESC NUL", bytes);
      case 0x01:  // the service protocol's start: two lines of text
        for (int lines = 0; lines < 2;) lines += (bytes.emplace_back(Take()) == 0x0A);
        return Add(PageElement::Kind::Command, "start", bytes);
      case '(': {
        append(3);
        const uint8_t letter = bytes[2];
        append(bytes[3] | bytes[4] << 8);
        if (letter == 'r') ink_ = static_cast<uint8_t>(bytes[5] << 4 | bytes[6]);
        return Add(PageElement::Kind::Command, std::string("ESC (") + char(letter), bytes);
      }
      case '|':
        append(3);
        append(bytes[3]);
        return Add(PageElement::Kind::ServiceFrame, "service", bytes);
      case '.':
        append(6);
        return Band("ESC .", bytes, ink_, bytes[5], (bytes[6] | bytes[7] << 8) / 8u);
      case 'i':
        append(7);
        return Band("ESC i", bytes, bytes[2], bytes[7] | bytes[8] << 8, bytes[5] | bytes[6] << 8);
      default:
        throw std::runtime_error("unknown command ESC " + std::to_string(code));
    }
  }

  // Run-length data: a header below 0x80 starts a literal of header + 1 bytes, any other header
  // repeats the next byte 257 - header times. A run may not cross the end of a row.
  void Band(std::string name, std::vector<uint8_t> header, uint8_t ink, std::size_t rows,
            std::size_t row_bytes) {
    Add(PageElement::Kind::Band, std::move(name), std::move(header));
    PageElement& band = out_.elements.back();
    band.ink = ink;
    for (std::size_t row = 0; row < rows; ++row) {
      std::vector<uint8_t> expanded;
      int runs = 0;
      while (expanded.size() < row_bytes) {
        const uint8_t run_header = Take();
        if (run_header < 0x80) {
          const auto literal = TakeBytes(run_header + 1u);
          expanded.insert(expanded.end(), literal.begin(), literal.end());
        } else {
          expanded.insert(expanded.end(), 257u - run_header, Take());
        }
        ++runs;
      }
      if (expanded.size() != row_bytes) {
        throw std::runtime_error("a run crosses the end of row " + std::to_string(row + 1));
      }
      band.rows.push_back(std::move(expanded));
      band.runs.push_back(runs);
    }
  }

  std::span<const uint8_t> in_;
  std::size_t at_ = 0;
  uint8_t ink_ = 0;
  DecodedStream out_;
};

}  // namespace

std::vector<const PageElement*> DecodedStream::Named(const std::string& name) const {
  return Where([&](const PageElement& element) { return element.name == name; });
}

std::vector<const PageElement*> DecodedStream::Bands() const {
  return Where([](const PageElement& element) { return element.kind == PageElement::Kind::Band; });
}

std::vector<const PageElement*> DecodedStream::ServiceFrames() const {
  return Named("service");
}

std::string DecodedStream::Text() const {
  std::string text;
  for (const auto& element : elements) {
    if (element.kind == PageElement::Kind::Text)
      text.append(element.bytes.begin(), element.bytes.end());
  }
  return text;
}

DecodedStream DecodePageStream(std::span<const uint8_t> stream) {
  return Decoder(stream).Run();
}

}  // namespace opal::testing
