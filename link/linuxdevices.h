#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "link/portdevice.h"

namespace opal {

// A printer device node, or anything that behaves like one, over a non-blocking descriptor that
// it owns.
class FdPortDevice final : public PortDevice {
 public:
  // Asks whatever stands behind the descriptor for the printer's device-ID text.
  using DeviceIdQuery = std::function<std::string(int fd)>;

  FdPortDevice(int fd, PortKind kind, DeviceIdQuery query);
  ~FdPortDevice() override;
  FdPortDevice(const FdPortDevice&) = delete;
  FdPortDevice& operator=(const FdPortDevice&) = delete;

  long WriteSome(std::span<const uint8_t> bytes) override;
  long ReadSome(std::span<uint8_t> buffer) override;
  void WaitReady(Readiness direction, std::chrono::milliseconds limit) override;
  std::string DeviceId() override;

 private:
  long Moved(long count);
  long Refused(int error) const;
  bool HungUp() const;

  int fd_;
  PortKind kind_;
  DeviceIdQuery query_;
  bool restore_abort_ = false;
  // poll() said ready and no transfer has moved a byte since.
  bool ready_without_progress_ = false;
};

// The machine's printer ports: /dev/lp0../dev/lp2 for the parallel ports, the usblp devices in
// minor-number order for the USB ports.
class LinuxPortProvider final : public PortProvider {
 public:
  explicit LinuxPortProvider(std::filesystem::path dev_root = "/dev",
                             std::filesystem::path sys_root = "/sys",
                             std::filesystem::path proc_root = "/proc");

  OpenOutcome Open(int port_index) override;

 private:
  OpenOutcome OpenParallel(int number);
  OpenOutcome OpenUsb(std::size_t ordinal);

  std::filesystem::path dev_root_;
  std::filesystem::path sys_root_;
  std::filesystem::path proc_root_;
  // Set while a device-ID negotiation on a parallel port is still running.
  std::shared_ptr<std::atomic<bool>> negotiating_;
};

}  // namespace opal
