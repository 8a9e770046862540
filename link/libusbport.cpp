#include "link/libusbport.h"

#include <libusb.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "link/accessadvice.h"
#include "link/deviceid.h"
#include "link/resultcodes.h"

namespace opal {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A transfer waits at most this long, so the port's loop keeps its deadlines and idle hook.
constexpr std::chrono::milliseconds kLongestTransfer = 50ms;
// The printer class's request for the IEEE 1284 device-ID text.
constexpr uint8_t kGetDeviceId = 0;
// Device to host, class request, to an interface.
constexpr uint8_t kClassInterfaceIn = 0xA1;
constexpr unsigned kDeviceIdTimeoutMs = 3000;
// Room for whole packets of any bulk endpoint: a read shorter than the packet the printer sends
// would lose the packet.
constexpr std::size_t kReadStagingSize = 1024;

constexpr const char* kLikelyHolder =
    " Most likely the print system holds it: its USB backend claims a printer while it prints "
    "or watches it. Pause this printer's queue or stop the print service while you work (sudo "
    "systemctl stop cups), then try again.";

class LibusbPortDevice final : public PortDevice {
 public:
  LibusbPortDevice(libusb_context* context, libusb_device_handle* handle,
                   PrinterInterface interface)
      : context_(context), handle_(handle), interface_(interface) {}

  ~LibusbPortDevice() override {
    const int number = interface_.interface_number;
    if (claimed_) libusb_release_interface(handle_, number);
    // The driver we took the printer from gets it back, so its node returns for others.
    if (detached_) libusb_attach_kernel_driver(handle_, number);
    libusb_close(handle_);
    libusb_exit(context_);
  }
  LibusbPortDevice(const LibusbPortDevice&) = delete;
  LibusbPortDevice& operator=(const LibusbPortDevice&) = delete;

  // A libusb error code; 0 when the interface is ours.
  int Claim() {
    const int number = interface_.interface_number;
    if (libusb_kernel_driver_active(handle_, number) == 1) {
      if (const int detached = libusb_detach_kernel_driver(handle_, number); detached != 0) {
        return detached;
      }
      detached_ = true;
    }
    if (const int claimed = libusb_claim_interface(handle_, number); claimed != 0) return claimed;
    claimed_ = true;
    // Many printers offer the bidirectional protocol only as an alternate setting.
    if (interface_.alt_setting == 0) return 0;
    return libusb_set_interface_alt_setting(handle_, number, interface_.alt_setting);
  }

  long WriteSome(std::span<const uint8_t> bytes) override {
    int sent = 0;
    const int length = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
    const int status =
        libusb_bulk_transfer(handle_, interface_.endpoint_out, const_cast<uint8_t*>(bytes.data()),
                             length, &sent, TransferTimeout());
    return Moved(status, sent);
  }

  long ReadSome(std::span<uint8_t> buffer) override {
    if (staged_ == 0) {
      int got = 0;
      const int status =
          libusb_bulk_transfer(handle_, interface_.endpoint_in, staging_.data(),
                               static_cast<int>(staging_.size()), &got, TransferTimeout());
      if (const long moved = Moved(status, got); moved <= 0) return moved;
      staged_from_ = 0;
      staged_ = static_cast<std::size_t>(got);
    }
    const std::size_t count = std::min(staged_, buffer.size());
    std::memcpy(buffer.data(), staging_.data() + staged_from_, count);
    staged_from_ += count;
    staged_ -= count;
    return static_cast<long>(count);
  }

  // The transfers wait by themselves; the limit bounds the next one.
  void WaitReady(Readiness, std::chrono::milliseconds limit) override {
    transfer_limit_ = std::clamp(limit, 1ms, kLongestTransfer);
  }

  std::string DeviceId() override {
    std::array<uint8_t, kDeviceIdSize> reply{};
    const int got = libusb_control_transfer(
        handle_, kClassInterfaceIn, kGetDeviceId,
        static_cast<uint16_t>(interface_.configuration_index),
        static_cast<uint16_t>(interface_.interface_number << 8 | interface_.alt_setting),
        reply.data(), static_cast<uint16_t>(reply.size()), kDeviceIdTimeoutMs);
    if (got <= 0) return {};
    return DeviceIdFromReply(std::span(reply).first(static_cast<std::size_t>(got)));
  }

 private:
  unsigned TransferTimeout() const { return static_cast<unsigned>(transfer_limit_.count()); }

  // A transfer cut off at its time limit has moved what it moved; any other error means the
  // printer is gone or refuses the transfer for good.
  static long Moved(int status, int count) {
    if (status == 0 || status == LIBUSB_ERROR_TIMEOUT || status == LIBUSB_ERROR_INTERRUPTED) {
      return count;
    }
    return -1;
  }

  libusb_context* context_;
  libusb_device_handle* handle_;
  PrinterInterface interface_;
  bool detached_ = false;
  bool claimed_ = false;
  std::chrono::milliseconds transfer_limit_ = kLongestTransfer;
  std::array<uint8_t, kReadStagingSize> staging_{};
  std::size_t staged_from_ = 0;
  std::size_t staged_ = 0;
};

// The device at the printer's bus and address, opened; a libusb error code otherwise.
int OpenDevice(libusb_context* context, const UsbPrinter& printer, libusb_device_handle*& handle) {
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context, &list);
  if (count < 0) return static_cast<int>(count);
  int status = LIBUSB_ERROR_NO_DEVICE;
  for (ssize_t i = 0; i < count; ++i) {
    if (libusb_get_bus_number(list[i]) == printer.bus &&
        libusb_get_device_address(list[i]) == printer.address) {
      status = libusb_open(list[i], &handle);
      break;
    }
  }
  libusb_free_device_list(list, 1);
  return status;
}

}  // namespace

OpenOutcome RefusedByLibusb(const fs::path& node, int libusb_error) {
  OpenOutcome outcome;
  outcome.detail = node.string() + ": ";
  switch (libusb_error) {
    case LIBUSB_ERROR_ACCESS:
      outcome.failure = OpenFailure::PermissionDenied;
      outcome.detail += std::string("Permission denied; ") + kUdevRuleAdvice;
      break;
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND:
      outcome.failure = OpenFailure::NotFound;
      outcome.detail += "the printer is no longer connected";
      break;
    case LIBUSB_ERROR_BUSY:
      outcome.failure = OpenFailure::Busy;
      outcome.detail += ResultMessage(ERR_PORT_BUSY) + kLikelyHolder;
      break;
    default:
      outcome.failure = OpenFailure::Failed;
      outcome.detail += libusb_strerror(libusb_error);
      break;
  }
  return outcome;
}

OpenOutcome OpenThroughLibusb(const UsbPrinter& printer, const fs::path& dev_root) {
  const fs::path node = printer.UsbfsNode(dev_root);
  libusb_context* context = nullptr;
  if (const int status = libusb_init(&context); status != 0) {
    return RefusedByLibusb(node, status);
  }
  libusb_device_handle* handle = nullptr;
  if (const int status = OpenDevice(context, printer, handle); status != 0) {
    libusb_exit(context);
    return RefusedByLibusb(node, status);
  }
  auto device = std::make_unique<LibusbPortDevice>(context, handle, printer.interface);
  if (const int status = device->Claim(); status != 0) return RefusedByLibusb(node, status);
  OpenOutcome outcome;
  outcome.device = std::move(device);
  return outcome;
}

}  // namespace opal
