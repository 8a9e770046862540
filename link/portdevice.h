#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/ports.h"

namespace opal {

enum class Readiness { Readable, Writable };

// One opened printer connection. Transfers never block: the port object runs the loops and
// owns the deadlines, so every kind of device times out the same way.
class PortDevice {
 public:
  virtual ~PortDevice() = default;
  // Bytes accepted now (0 when the device cannot take any), or -1 when the link is gone.
  virtual long WriteSome(std::span<const uint8_t> bytes) = 0;
  // Bytes read now; 0 when nothing is there or a zero-length packet arrived; -1 when the link is
  // gone.
  virtual long ReadSome(std::span<uint8_t> buffer) = 0;
  // Blocks at most `limit` until the device may move bytes in that direction.
  virtual void WaitReady(Readiness direction, std::chrono::milliseconds limit) = 0;
  // The printer's IEEE 1284 device-ID text, empty when the printer does not answer. May block in
  // the kernel for a few seconds; the port asks it on a thread of its own.
  virtual std::string DeviceId() = 0;
  // What the system recorded of the printer on this port earlier (the kernel's probe when the port
  // driver loaded). It may name the model, but it stays when the printer is switched off, so it
  // never shows that the printer answers. Empty where there is no such record.
  virtual std::string ModelHint() { return {}; }
};

enum class OpenFailure {
  None,
  NotFound,          // no such port on this machine
  PermissionDenied,  // the node exists but the user may not open it
  Busy,              // another program holds the printer
  Failed,            // any other reason; detail says which
};

struct OpenOutcome {
  std::unique_ptr<PortDevice> device;
  OpenFailure failure = OpenFailure::None;
  std::string detail;  // the device path and the system's reason, for the technician
};

// Opens one of the program's ports wherever the printer behind it is.
class PortProvider {
 public:
  virtual ~PortProvider() = default;
  virtual OpenOutcome Open(PortId port) = 0;
  // The printers present now, one "VLUSB1: what it is" each, found without opening a port, for a
  // hint before the technician chooses one; nullopt where the provider cannot tell.
  virtual std::optional<std::vector<std::string>> PrintersPresent() { return std::nullopt; }
};

}  // namespace opal
