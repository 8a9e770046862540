#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/portdevice.h"
#include "tests/support/fakes.h"

namespace opal::testing {

// A device that records every write and hands out scripted packets; waits move the fake clock.
// A packet is handed out only as the answer to a read request (an EEPROM or chip read frame),
// one per request, as a printer answers; `unasked` packets are readable at any time before them.
struct Script {
  std::vector<std::vector<uint8_t>> writes;
  std::deque<std::vector<uint8_t>> packets;
  std::deque<std::vector<uint8_t>> unasked;
  std::string device_id = "MFG:VELTA;MDL:Corvane Opal 320;";
  long accept_per_write = -1;                 // -1: everything; 0: stalled
  std::size_t stall_after_writes = SIZE_MAX;  // the printer stops taking bytes after this many
  std::chrono::milliseconds write_takes{0};
  // When set, the device keeps an EEPROM as a printer does: EEPROM writes and Bi-D frames change
  // it, and a read request that no scripted packet answers is answered from it.
  std::optional<std::array<uint8_t, 256>> eeprom;
  std::size_t bid_frames_held = SIZE_MAX;  // Bi-D frames after this many change nothing
  std::size_t reads_answered = SIZE_MAX;   // read requests after this many get no answer
};

class ScriptedDevice final : public PortDevice {
 public:
  ScriptedDevice(Script& script, FakeClock& clock) : script_(script), clock_(clock) {}
  long WriteSome(std::span<const uint8_t> bytes) override;
  long ReadSome(std::span<uint8_t> buffer) override;
  void WaitReady(Readiness, std::chrono::milliseconds limit) override { clock_.Advance(limit); }
  std::string DeviceId() override { return script_.device_id; }

 private:
  Script& script_;
  FakeClock& clock_;
  void KeepInEeprom(const std::vector<uint8_t>& frame);

  bool answer_due_ = false;
  std::vector<uint8_t> rest_;
};

class ScriptedProvider final : public PortProvider {
 public:
  ScriptedProvider(Script& script, FakeClock& clock) : script_(script), clock_(clock) {}
  OpenOutcome Open(PortId) override {
    ++opened;
    return {std::make_unique<ScriptedDevice>(script_, clock_), OpenFailure::None, {}};
  }
  int opened = 0;

 private:
  Script& script_;
  FakeClock& clock_;
};

// An 18-byte reply carrying `value`, as the printer sends it.
std::vector<uint8_t> ReplyWith(uint8_t value, std::string header = "@BDC PS");

// All bytes written, in order, as one stream.
std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& writes);

}  // namespace opal::testing
