#include "link/tracemask.h"

#include <algorithm>
#include <cctype>

namespace opal {
namespace {

constexpr uint8_t kStandIn = '0';
constexpr std::size_t kSentTail = kFrameValueOffset;
constexpr std::size_t kReceivedTail = kReplyValueOffset + 1;
// Device-ID keys that carry a serial number.
constexpr std::array<std::string_view, 4> kSerialKeys{"SN", "SERN", "SERIAL", "SERIALNUMBER"};

std::optional<std::size_t> SerialIndex(uint8_t address) {
  if (address < kUsbIdAddress || address >= kUsbIdAddress + kUsbIdLength) return std::nullopt;
  return address - kUsbIdAddress;
}

uint8_t HexValue(uint8_t high, uint8_t low) {
  const auto digit = [](uint8_t c) {
    return static_cast<uint8_t>(std::isdigit(c) != 0 ? c - '0'
                                                     : (std::toupper(c) - 'A' + 10) & 0x0F);
  };
  return static_cast<uint8_t>(digit(high) * 16 + digit(low));
}

uint8_t HexDigitOf(uint8_t nibble) {
  return static_cast<uint8_t>(nibble < 10 ? '0' + nibble : 'A' + nibble - 10);
}

std::vector<uint8_t> Joined(std::vector<uint8_t>& tail, std::span<const uint8_t> bytes,
                            std::size_t keep) {
  std::vector<uint8_t> window = tail;
  window.insert(window.end(), bytes.begin(), bytes.end());
  tail.assign(window.end() - static_cast<long>(std::min(keep, window.size())), window.end());
  return window;
}

// Calls `seen(reading, at)` for each EEPROM read or write frame in `window` whose address (for
// a read) or value (for a write) stands at `at`, from `fresh_from` on: a frame is taken once,
// when the byte that decides it arrives. Other frames call `other()`.
template <typename Seen, typename Other>
void EachFrame(const std::vector<uint8_t>& window, std::size_t fresh_from, Seen seen, Other other) {
  for (std::size_t p = 0; p < window.size(); ++p) {
    if (window[p] != 0x1B) continue;
    const auto frame = ReadFrame(std::span(window).subspan(p));
    if (!frame) continue;
    if (!frame->eeprom_address) {
      // Decided by its op bytes, which ReadFrame needed.
      if (p + kFrameAddressOffset - 1 >= fresh_from) other();
      continue;
    }
    const std::size_t at = p + (frame->eeprom_write ? kFrameValueOffset : kFrameAddressOffset);
    if (at >= fresh_from && at < window.size()) seen(*frame, at);
  }
}

// Calls `seen(at, address)` for each reply in `window` whose value digits stand at `at` and
// `at`+1, both from `fresh_from` on; the address is the one the reply names, else `asked`.
template <typename Seen>
void EachReply(const std::vector<uint8_t>& window, std::size_t fresh_from,
               std::optional<uint8_t> asked, Seen seen) {
  for (std::size_t p = 0; p + kReplyValueOffset + 1 < window.size(); ++p) {
    const auto reply = std::span(window).subspan(p);
    if (!StartsReply(reply.first(7))) continue;
    const std::size_t at = p + kReplyValueOffset;
    if (at < fresh_from) continue;
    const bool names_something = reply[7] == '\r';
    const auto address = names_something ? ReplyEepromAddress(reply) : asked;
    if (address) seen(at, *address);
  }
}

void Mask(TraceEvent& event, std::size_t index) {
  event.masked.resize(event.bytes.size(), false);
  event.masked[index] = true;
  event.bytes[index] = 0;
}

bool IsHex(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// "f1e2:0005" and the like: a USB vendor and product ID.
std::string MaskUsbIds(std::string text) {
  constexpr std::size_t kPairSize = 9;
  for (std::size_t k = 0; k + kPairSize <= text.size(); ++k) {
    const bool before = k > 0 && IsHex(text[k - 1]);
    const bool after = k + kPairSize < text.size() && IsHex(text[k + kPairSize]);
    bool pair = text[k + 4] == ':' && !before && !after;
    for (std::size_t d = 0; pair && d < kPairSize; ++d) pair = d == 4 || IsHex(text[k + d]);
    if (pair) text.replace(k, kPairSize, "****:****");
  }
  return text;
}

std::string MaskDeviceIdSerials(std::string text) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(';', at), text.size());
    std::size_t key_start = at;
    while (key_start < end && text[key_start] == ' ') ++key_start;
    const std::size_t colon = text.find(':', key_start);
    if (colon < end) {
      std::string key = text.substr(key_start, colon - key_start);
      std::transform(key.begin(), key.end(), key.begin(),
                     [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
      if (std::find(kSerialKeys.begin(), kSerialKeys.end(), key) != kSerialKeys.end()) {
        text.replace(colon + 1, end - colon - 1, "**");
        at = colon + 4;
        continue;
      }
    }
    at = end + 1;
  }
  return text;
}

// "serial X" as a USB printer is described.
std::string MaskSerialWords(std::string text) {
  constexpr std::string_view kWord = "serial ";
  for (std::size_t at = text.find(kWord); at != std::string::npos;
       at = text.find(kWord, at + kWord.size())) {
    const std::size_t start = at + kWord.size();
    std::size_t end = start;
    while (end < text.size() && text[end] != ')' && text[end] != ',' && text[end] != ' ') ++end;
    text.replace(start, end - start, "**");
  }
  return text;
}

}  // namespace

std::string TraceNote(std::span<const uint8_t> bytes) {
  if (std::equal(kStartSequence.begin(), kStartSequence.end(), bytes.begin(), bytes.end())) {
    return "start sequence";
  }
  const auto frame = ReadFrame(bytes);
  if (!frame) return {};
  std::string note(frame->name);
  if (frame->eeprom_address) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    note += ' ';
    note += kDigits[*frame->eeprom_address >> 4];
    note += kDigits[*frame->eeprom_address & 0x0F];
  }
  return note;
}

bool TraceMasker::SerialKnown() const {
  return std::all_of(serial_.begin(), serial_.end(), [](const auto& byte) { return byte; });
}

SentFrames::Window SentFrames::Follow(
    std::span<const uint8_t> bytes,
    const std::function<void(std::size_t, uint8_t, std::size_t)>& id_write) {
  Window window;
  window.fresh_from = std::min(tail_.size(), kSentTail);
  window.bytes = Joined(tail_, bytes, kSentTail);
  const std::vector<uint8_t>& seen = window.bytes;
  EachFrame(
      seen, window.fresh_from,
      [&](const FrameReading& frame, std::size_t at) {
        if (!frame.eeprom_write) {
          asked_ = seen[at];
          return;
        }
        asked_.reset();
        if (const auto index = SerialIndex(seen[at - 1])) {
          id_write(*index, seen[at], at - window.fresh_from);
        }
      },
      [&] { asked_.reset(); });
  return window;
}

void TraceMasker::Outgoing(TraceEvent& event) {
  const SentFrames::Window window =
      sent_.Follow(event.bytes, [&](std::size_t index, uint8_t value, std::size_t at) {
        serial_[index] = value;
        Mask(event, at);
      });
  if (SerialKnown()) MaskSerialText(window, event);
}

void TraceMasker::MaskSerialText(const SentFrames::Window& sent, TraceEvent& event) const {
  const std::vector<uint8_t>& window = sent.bytes;
  const std::size_t fresh_from = sent.fresh_from;
  std::array<uint8_t, kUsbIdLength> serial{};
  std::transform(serial_.begin(), serial_.end(), serial.begin(), [](auto byte) { return *byte; });
  const auto mask_from = [&](std::size_t begin, std::size_t end) {
    for (std::size_t k = std::max(begin, fresh_from); k < end; ++k) Mask(event, k - fresh_from);
  };
  for (std::size_t p = 0; p + serial.size() <= window.size(); ++p) {
    if (std::equal(serial.begin(), serial.end(), window.begin() + static_cast<long>(p))) {
      mask_from(p, p + serial.size());
    }
  }
  // The start of the ID at the very end may go on in the next bytes: masked now, since these
  // are written before those arrive.
  for (std::size_t length = std::min(serial.size() - 1, window.size()); length > 0; --length) {
    if (std::equal(serial.begin(), serial.begin() + static_cast<long>(length),
                   window.end() - static_cast<long>(length))) {
      mask_from(window.size() - length, window.size());
      break;
    }
  }
}

void TraceMasker::Incoming(TraceEvent& event) {
  const std::size_t fresh_from = std::min(received_tail_.size(), kReceivedTail);
  const std::vector<uint8_t> window = Joined(received_tail_, event.bytes, kReceivedTail);
  EachReply(window, fresh_from, sent_.Asked(), [&](std::size_t at, uint8_t address) {
    const auto index = SerialIndex(address);
    if (!index) return;
    serial_[*index] = HexValue(window[at], window[at + 1]);
    Mask(event, at - fresh_from);
    Mask(event, at + 1 - fresh_from);
  });
}

std::string TraceMasker::Text(std::string_view text) const {
  std::string masked = MaskSerialWords(MaskDeviceIdSerials(MaskUsbIds(std::string(text))));
  if (!SerialKnown()) return masked;
  std::string serial;
  for (const auto& byte : serial_) serial += static_cast<char>(*byte);
  for (std::size_t at = masked.find(serial); at != std::string::npos;
       at = masked.find(serial, at)) {
    masked.replace(at, serial.size(), std::string(serial.size(), '*'));
  }
  return masked;
}

void MaskedReplyFiller::Sent(std::span<const uint8_t> bytes) {
  sent_.Follow(bytes,
               [&](std::size_t index, uint8_t value, std::size_t) { written_[index] = value; });
}

void MaskedReplyFiller::Fill(std::vector<uint8_t>& reply, const std::vector<bool>& masked) const {
  const auto is_masked = [&](std::size_t k) { return k < masked.size() && masked[k]; };
  for (std::size_t k = 0; k < reply.size(); ++k) {
    if (is_masked(k)) reply[k] = kStandIn;
  }
  EachReply(reply, 0, sent_.Asked(), [&](std::size_t at, uint8_t address) {
    const auto index = SerialIndex(address);
    if (!index) return;
    const uint8_t value = written_[*index].value_or(kStandIn);
    if (is_masked(at)) reply[at] = HexDigitOf(value >> 4);
    if (is_masked(at + 1)) reply[at + 1] = HexDigitOf(value & 0x0F);
  });
}

}  // namespace opal
