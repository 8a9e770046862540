#pragma once

#include <memory>

#include "link/portdevice.h"

namespace opal::testing {

// Passes everything on to the real device; test doubles override what they tamper with.
class ForwardingDevice : public PortDevice {
 public:
  explicit ForwardingDevice(std::unique_ptr<PortDevice> printer) : printer_(std::move(printer)) {}
  long WriteSome(std::span<const uint8_t> bytes) override { return printer_->WriteSome(bytes); }
  long ReadSome(std::span<uint8_t> buffer) override { return printer_->ReadSome(buffer); }
  void WaitReady(Readiness direction, std::chrono::milliseconds limit) override {
    printer_->WaitReady(direction, limit);
  }
  std::string DeviceId() override { return printer_->DeviceId(); }

 private:
  std::unique_ptr<PortDevice> printer_;
};

}  // namespace opal::testing
