#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/factory.h"
#include "link/tracefile.h"

namespace opal {

// What bytes the program sent are, for a person reading the trace and for a replay's report:
// "start sequence", "EEPROM write 4C", ...; empty for a stream's bytes.
std::string TraceNote(std::span<const uint8_t> bytes);

// Follows what the program sends, across transfers: the EEPROM address it last asked to read,
// and each write into the USB ID.
class SentFrames {
 public:
  // The bytes before `bytes` that a frame may have begun in, then `bytes`.
  struct Window {
    std::vector<uint8_t> bytes;
    std::size_t fresh_from = 0;
  };
  // Calls `id_write(index, value, at)` for each write of the ID's byte `index` whose value stands
  // at `at` of `bytes`.
  Window Follow(std::span<const uint8_t> bytes,
                const std::function<void(std::size_t, uint8_t, std::size_t)>& id_write);
  std::optional<uint8_t> Asked() const { return asked_; }

 private:
  std::vector<uint8_t> tail_;
  std::optional<uint8_t> asked_;
};

// Keeps the printer's serial number out of a trace: the USB ID's bytes in EEPROM writes and in
// the replies that read them, that ID wherever the program sends it again once it is known (the
// check sheet prints it), serial keys of device-ID texts, and USB vendor and product IDs in
// messages. Follows the conversation across calls, so a frame or a reply split between two
// transfers is still recognised.
class TraceMasker {
 public:
  void Outgoing(TraceEvent& event);
  void Incoming(TraceEvent& event);
  std::string Text(std::string_view text) const;

 private:
  bool SerialKnown() const;
  void MaskSerialText(const SentFrames::Window& window, TraceEvent& event) const;

  std::array<std::optional<uint8_t>, kUsbIdLength> serial_{};
  SentFrames sent_;
  // The last bytes received as they were, for a reply that began in an earlier read.
  std::vector<uint8_t> received_tail_;
};

// Puts values in for the masked bytes of the replies a replay hands the program: the digits of
// the value the program wrote to that USB ID byte during the replay, or of '0', a character the
// ID may hold. A program that writes an ID and reads it back then finds what it wrote.
class MaskedReplyFiller {
 public:
  void Sent(std::span<const uint8_t> bytes);
  void Fill(std::vector<uint8_t>& reply, const std::vector<bool>& masked) const;

 private:
  std::array<std::optional<uint8_t>, kUsbIdLength> written_{};
  SentFrames sent_;
};

}  // namespace opal
