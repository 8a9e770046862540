#include "tests/support/scripteddevice.h"

#include <algorithm>

namespace opal::testing {
namespace {

// EEPROM and chip read frames; nothing else the program sends asks for an answer.
bool IsReadRequest(const std::vector<uint8_t>& frame) {
  return frame.size() >= 10 && frame[0] == 0x1B && frame[1] == 0x7C &&
         (frame[7] == 0x41 || frame[7] == 0x61);
}

}  // namespace

long ScriptedDevice::WriteSome(std::span<const uint8_t> bytes) {
  clock_.Advance(script_.write_takes);
  if (script_.writes.size() >= script_.stall_after_writes) return 0;
  const std::size_t count = script_.accept_per_write < 0
                                ? bytes.size()
                                : std::min(bytes.size(), std::size_t(script_.accept_per_write));
  if (count > 0) {
    script_.writes.emplace_back(bytes.begin(), bytes.begin() + long(count));
    answer_due_ = IsReadRequest(script_.writes.back());
    if (script_.eeprom) KeepInEeprom(script_.writes.back());
  }
  return static_cast<long>(count);
}

void ScriptedDevice::KeepInEeprom(const std::vector<uint8_t>& frame) {
  if (frame.size() < 11 || frame[0] != 0x1B || frame[1] != 0x7C) return;
  auto& eeprom = *script_.eeprom;
  if (frame[7] == 0x41 && script_.packets.empty() && script_.reads_answered > 0) {
    --script_.reads_answered;
    script_.packets.push_back(ReplyWith(eeprom[frame[10]]));
  } else if (frame[7] == 0x42 && frame.size() >= 12) {
    eeprom[frame[10]] = frame[11];
  } else if (frame[7] == 0x00 && frame.size() >= 15 && script_.bid_frames_held > 0) {
    --script_.bid_frames_held;
    // Black then Color, each little-endian; -128 leaves a value as it is.
    const uint8_t black = static_cast<uint8_t>(0x33 + frame[10] - 1);
    for (const auto& [address, at] : {std::pair{black, 11}, std::pair{uint8_t(black + 3), 13}}) {
      const auto value = static_cast<int16_t>(frame[at] | frame[at + 1] << 8);
      if (value != -128) eeprom[address] = static_cast<uint8_t>(value & 0xFF);
    }
  }
}

long ScriptedDevice::ReadSome(std::span<uint8_t> buffer) {
  if (rest_.empty() && !script_.unasked.empty()) {
    rest_ = std::move(script_.unasked.front());
    script_.unasked.pop_front();
  } else if (rest_.empty() && answer_due_ && !script_.packets.empty()) {
    rest_ = std::move(script_.packets.front());
    script_.packets.pop_front();
    answer_due_ = false;
  }
  const std::size_t count = std::min(buffer.size(), rest_.size());
  std::copy_n(rest_.begin(), count, buffer.begin());
  rest_.erase(rest_.begin(), rest_.begin() + long(count));
  return static_cast<long>(count);
}

std::vector<uint8_t> ReplyWith(uint8_t value, std::string header) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = header + "0000000" + kDigits[value >> 4] + kDigits[value & 15] + "\r\n";
  return {text.begin(), text.end()};
}

std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& writes) {
  std::vector<uint8_t> all;
  for (const auto& write : writes) all.insert(all.end(), write.begin(), write.end());
  return all;
}

}  // namespace opal::testing
