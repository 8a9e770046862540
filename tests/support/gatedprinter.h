#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "link/factory.h"
#include "tests/support/fakes.h"
#include "tests/support/forwardingdevice.h"
#include "tests/support/tempdir.h"
#include "virtualport/virtualport.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::testing {

using Frame = std::vector<uint8_t>;

inline Frame EepromWriteFrame(uint8_t address, uint8_t value) {
  return {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x42, 0xBD, 0x21, address, value};
}

// A frame that changes what the EEPROM holds: an EEPROM write or a Bi-D value.
inline bool IsEepromChange(std::span<const uint8_t> bytes) {
  const bool service = bytes.size() >= 10 && bytes[0] == 0x1B && bytes[1] == 0x7C;
  return service && (bytes[7] == 0x42 || bytes[7] == 0x00);
}

inline bool IsEepromReadRequest(std::span<const uint8_t> bytes) {
  return bytes.size() >= 10 && bytes[0] == 0x1B && bytes[1] == 0x7C && bytes[7] == 0x41;
}

// What stands between the program and the virtual printer: it records every frame, can cut the
// link after a number of frames or at the first change to the EEPROM, can drop those changes as a
// printer that does not take them, and can lose every read request once a change came.
struct Gate {
  std::vector<Frame> frames;
  int frames_before_cut = -1;  // -1: never
  bool cut_at_first_change = false;
  bool drop_eeprom_writes = false;
  bool drop_reads_after_a_change = false;
  bool changed = false;  // a change to the EEPROM has come
};

class GatedDevice final : public ForwardingDevice {
 public:
  GatedDevice(std::unique_ptr<PortDevice> printer, Gate& gate)
      : ForwardingDevice(std::move(printer)), gate_(gate) {}

  long WriteSome(std::span<const uint8_t> bytes) override {
    const bool change = IsEepromChange(bytes);
    gate_.changed = gate_.changed || change;
    if (gate_.cut_at_first_change && gate_.changed) gate_.frames_before_cut = 0;
    if (gate_.frames_before_cut == 0) return -1;
    if (gate_.frames_before_cut > 0) --gate_.frames_before_cut;
    gate_.frames.emplace_back(bytes.begin(), bytes.end());
    const bool lost =
        (gate_.drop_eeprom_writes && change) ||
        (gate_.drop_reads_after_a_change && gate_.changed && IsEepromReadRequest(bytes));
    if (lost) return static_cast<long>(bytes.size());
    return ForwardingDevice::WriteSome(bytes);
  }

 private:
  Gate& gate_;
};

class GatedProvider final : public PortProvider {
 public:
  GatedProvider(PortProvider& printer, Gate& gate) : printer_(printer), gate_(gate) {}
  OpenOutcome Open(PortId port) override {
    OpenOutcome outcome = printer_.Open(port);
    outcome.device = std::make_unique<GatedDevice>(std::move(outcome.device), gate_);
    return outcome;
  }

 private:
  PortProvider& printer_;
  Gate& gate_;
};

// A fresh virtual printer on an open port, with a fake clock that also serves as the sleeper.
class GatedPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK); }

  std::vector<Frame> EepromWrites() const {
    std::vector<Frame> writes;
    for (const Frame& frame : gate.frames) {
      if (frame.size() == 12 && frame[7] == 0x42) writes.push_back(frame);
    }
    return writes;
  }

  TempDir temp;
  vp::VirtualPrinter printer{temp.path() / "printer"};
  FakeClock clock;
  ThrowingExit exit;
  Gate gate;
  VirtualPortProvider virtual_port{printer, clock, clock};
  GatedProvider provider{virtual_port, gate};
  TPrinterPort port{provider, clock, exit};
  TFactoryCommand command{port};
};

}  // namespace opal::testing
