#include "tests/support/scripteddevice.h"

#include <algorithm>

namespace opal::testing {

long ScriptedDevice::WriteSome(std::span<const uint8_t> bytes) {
  clock_.Advance(script_.write_takes);
  if (script_.writes.size() >= script_.stall_after_writes) return 0;
  const std::size_t count = script_.accept_per_write < 0
                                ? bytes.size()
                                : std::min(bytes.size(), std::size_t(script_.accept_per_write));
  if (count > 0) script_.writes.emplace_back(bytes.begin(), bytes.begin() + long(count));
  return static_cast<long>(count);
}

long ScriptedDevice::ReadSome(std::span<uint8_t> buffer) {
  if (script_.packets.empty()) return 0;
  std::vector<uint8_t> packet = std::move(script_.packets.front());
  script_.packets.pop_front();
  const std::size_t count = std::min(buffer.size(), packet.size());
  std::copy_n(packet.begin(), count, buffer.begin());
  if (count < packet.size()) {
    script_.packets.emplace_front(packet.begin() + long(count), packet.end());
  }
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
