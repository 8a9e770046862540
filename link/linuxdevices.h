#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "link/portdevice.h"
#include "link/timing.h"
#include "link/usbdiscovery.h"

namespace opal {

// A printer device node, or anything that behaves like one, over a non-blocking descriptor that
// it owns.
class FdPortDevice final : public PortDevice {
 public:
  // Asks whatever stands behind the descriptor for the printer's device-ID text.
  using DeviceIdQuery = std::function<std::string(int fd)>;
  // Reads what the system recorded of the printer on this port.
  using ModelHintQuery = std::function<std::string()>;

  FdPortDevice(int fd, PortKind kind, DeviceIdQuery query, ModelHintQuery hint = nullptr);
  ~FdPortDevice() override;
  FdPortDevice(const FdPortDevice&) = delete;
  FdPortDevice& operator=(const FdPortDevice&) = delete;

  long WriteSome(std::span<const uint8_t> bytes) override;
  long ReadSome(std::span<uint8_t> buffer) override;
  void WaitReady(Readiness direction, std::chrono::milliseconds limit) override;
  std::string DeviceId() override;
  std::string ModelHint() override;

 private:
  long Moved(long count);
  long Refused(int error) const;
  bool HungUp() const;

  int fd_;
  PortKind kind_;
  DeviceIdQuery query_;
  ModelHintQuery hint_;
  bool restore_abort_ = false;
  // poll() said ready and no transfer has moved a byte since.
  bool ready_without_progress_ = false;
};

// Why a device node could not be opened, from the system's error number, for the technician.
OpenOutcome RefusedOpen(const std::filesystem::path& node, int error);

// What an errno of a transfer that must not block means for the port.
enum class TransferError { TryAgain, LinkGone };
TransferError ClassifyTransferError(PortKind kind, int error);

// The machine's printer ports: /dev/lp0../dev/lp2 for the parallel ports; for the USB ports the
// USB printers in bus and port order, each through its usblp node when one serves it, otherwise
// through libusb.
class LinuxPortProvider final : public PortProvider {
 public:
  explicit LinuxPortProvider(std::filesystem::path dev_root = "/dev",
                             std::filesystem::path sys_root = "/sys",
                             std::filesystem::path proc_root = "/proc");

  OpenOutcome Open(PortId port) override;
  // The USB printers only: whether a parallel port has a printer shows only when it is asked.
  std::optional<std::vector<std::string>> PrintersPresent() override;
  // The USB printers plugged in now, VLUSB1: first.
  std::vector<UsbPrinter> UsbPrinters() const;

 private:
  OpenOutcome OpenParallel(int number);
  OpenOutcome OpenUsb(std::size_t ordinal);

  std::filesystem::path dev_root_;
  std::filesystem::path sys_root_;
  std::filesystem::path proc_root_;
  // One device-ID negotiation at a time over all parallel ports, shared with their devices.
  std::shared_ptr<DetachedQuery> negotiation_;
};

}  // namespace opal
