#pragma once

#include <cstdint>
#include <deque>

#include "link/portdevice.h"
#include "link/timing.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {

// Connects every port name to one virtual printer in this process. The printer is held by one
// program at a time, as a USB printer device is: an open while another program (or another open
// port here) holds it is refused as busy.
class VirtualPortProvider final : public PortProvider {
 public:
  VirtualPortProvider(vp::VirtualPrinter& printer, const Clock& clock, Sleeper& sleeper);
  OpenOutcome Open(PortId port) override;

 private:
  vp::VirtualPrinter& printer_;
  const Clock& clock_;
  Sleeper& sleeper_;
};

// An open port on a claimed printer; the printer is released when the port is closed.
class VirtualPortDevice final : public PortDevice {
 public:
  VirtualPortDevice(vp::VirtualPrinter& printer, const Clock& clock, Sleeper& sleeper);
  ~VirtualPortDevice() override;
  VirtualPortDevice(const VirtualPortDevice&) = delete;
  VirtualPortDevice& operator=(const VirtualPortDevice&) = delete;
  long WriteSome(std::span<const uint8_t> bytes) override;
  long ReadSome(std::span<uint8_t> buffer) override;
  void WaitReady(Readiness direction, std::chrono::milliseconds limit) override;
  std::string DeviceId() override;

 private:
  void Collect();

  vp::VirtualPrinter& printer_;
  const Clock& clock_;
  Sleeper& sleeper_;
  std::deque<uint8_t> unread_;
};

}  // namespace opal
