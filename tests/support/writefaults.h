#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "link/factory.h"
#include "link/virtualport.h"
#include "tests/support/fakes.h"
#include "tests/support/forwardingdevice.h"
#include "tests/support/gatedprinter.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::testing {

// The ways a printer fails the writes of an operation. A write is an EEPROM write frame or a
// Bi-D value frame, the two that change what the EEPROM holds.
enum class WriteFault {
  None,
  IgnoresWrites,        // takes every write and stores nothing
  ReadsFailAfterWrite,  // answers no read request once a write came
  SendFails,            // the link breaks at the first write: it and everything after fail
};

inline const char* NameOf(WriteFault fault) {
  constexpr std::array<const char*, 4> kNames{"none", "ignores writes", "reads fail after a write",
                                              "send fails"};
  return kNames[static_cast<std::size_t>(fault)];
}

inline bool IsServiceFrame(std::span<const uint8_t> bytes, uint8_t op1) {
  return bytes.size() >= 10 && bytes[0] == 0x1B && bytes[1] == 0x7C && bytes[7] == op1;
}

class WriteFaultDevice final : public ForwardingDevice {
 public:
  WriteFaultDevice(std::unique_ptr<PortDevice> printer, const WriteFault& fault)
      : ForwardingDevice(std::move(printer)), fault_(fault) {}

  long WriteSome(std::span<const uint8_t> bytes) override {
    const bool write = IsServiceFrame(bytes, 0x42) || IsServiceFrame(bytes, 0x00);
    wrote_ = wrote_ || write;
    const auto taken = static_cast<long>(bytes.size());
    switch (fault_) {
      case WriteFault::IgnoresWrites:
        if (write) return taken;
        break;
      case WriteFault::ReadsFailAfterWrite:
        if (wrote_ && IsServiceFrame(bytes, 0x41)) return taken;
        break;
      case WriteFault::SendFails:
        if (wrote_) return -1;
        break;
      case WriteFault::None:
        break;
    }
    return ForwardingDevice::WriteSome(bytes);
  }

 private:
  const WriteFault& fault_;
  bool wrote_ = false;
};

class WriteFaultProvider final : public PortProvider {
 public:
  WriteFaultProvider(PortProvider& printer, const WriteFault& fault)
      : printer_(printer), fault_(fault) {}
  OpenOutcome Open(int port_index) override {
    OpenOutcome outcome = printer_.Open(port_index);
    outcome.device = std::make_unique<WriteFaultDevice>(std::move(outcome.device), fault_);
    return outcome;
  }

 private:
  PortProvider& printer_;
  const WriteFault& fault_;
};

// A factory-fresh virtual printer behind a gate (what reached the printer) and a write fault, on
// an open port, with a fake clock that also serves as the sleeper. The fault is chosen before
// the port opens: every opening starts counting writes afresh.
struct FaultyPrinter {
  FaultyPrinter(const std::filesystem::path& dir, WriteFault chosen) : fault(chosen), printer(dir) {
    port.Open(3);
  }

  WriteFault fault;
  vp::VirtualPrinter printer;
  FakeClock clock;
  ThrowingExit exit;
  Gate gate;
  VirtualPortProvider virtual_port{printer, clock, clock};
  GatedProvider gated{virtual_port, gate};
  WriteFaultProvider provider{gated, fault};
  TPrinterPort port{provider, clock, exit};
  TFactoryCommand command{port};
};

// An operation that writes to the EEPROM, with the byte it writes first.
struct WritingOperation {
  std::string name;
  uint8_t first_address;
  uint8_t first_value;
  std::function<Result(FaultyPrinter&)> run;
};

// Runs every operation against every fault on a fresh printer whose first byte holds EE: the
// right code; a message naming the address, the value written and the value read; a time within
// the limits of the waits it blocks on; and an EEPROM that holds no write the operation did not
// report. On a printer without a fault every operation succeeds.
void ExpectNoWriteTakenForDone(const std::vector<WritingOperation>& operations);

}  // namespace opal::testing
