#include "link/linuxdevices.h"

#include <fcntl.h>
#include <linux/lp.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <fstream>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "link/accessadvice.h"
#include "link/deviceid.h"
#include "link/libusbport.h"
#include "link/printerdriver.h"
#include "link/resultcodes.h"

// usblp's device-ID request; the kernel does not export it in a header.
#define LPIOC_GET_DEVICE_ID(len) _IOC(_IOC_READ, 'P', 1, len)

namespace opal {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr std::chrono::milliseconds kRetryPause = 10ms;
// IEEE 1284 device-ID negotiation: the printer's answer, and everything including the wait for
// the port, which another program may hold.
constexpr std::chrono::milliseconds kNegotiationReadLimit = 2s;
constexpr std::chrono::milliseconds kNegotiationLimit = 3s;

int OpenNode(const fs::path& path) {
  return ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

OpenOutcome Opened(int fd, PortKind kind, FdPortDevice::DeviceIdQuery query,
                   FdPortDevice::ModelHintQuery hint = nullptr) {
  OpenOutcome outcome;
  outcome.device = std::make_unique<FdPortDevice>(fd, kind, std::move(query), std::move(hint));
  return outcome;
}

std::string UsbDeviceId(int fd) {
  std::array<uint8_t, kDeviceIdSize> reply{};
  if (ioctl(fd, LPIOC_GET_DEVICE_ID(kDeviceIdSize), reply.data()) < 0) return {};
  return DeviceIdFromReply(reply);
}

// Reads the nibble-mode answer until it is complete, the printer stops sending or time is up.
std::string ReadNegotiatedReply(int fd) {
  std::array<uint8_t, kDeviceIdSize> reply{};
  std::size_t got = 0;
  const auto deadline = std::chrono::steady_clock::now() + kNegotiationReadLimit;
  while (got < reply.size() && std::chrono::steady_clock::now() < deadline) {
    const ssize_t count = read(fd, reply.data() + got, reply.size() - got);
    if (count > 0) {
      got += static_cast<std::size_t>(count);
      if (DeviceIdComplete(std::span(reply).first(got))) break;
    } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
      break;
    } else {
      std::this_thread::sleep_for(kRetryPause);
    }
  }
  return DeviceIdFromReply(std::span(reply).first(got));
}

std::string AskClaimedPort(int fd) {
  int mode = IEEE1284_MODE_COMPAT;
  ioctl(fd, PPNEGOT, &mode);
  mode = IEEE1284_MODE_NIBBLE | IEEE1284_DEVICEID;
  std::string text;
  if (ioctl(fd, PPNEGOT, &mode) == 0) text = ReadNegotiatedReply(fd);
  mode = IEEE1284_MODE_COMPAT;
  ioctl(fd, PPNEGOT, &mode);
  return text;
}

// Empty when the printer did not answer or the port cannot be driven through ppdev.
std::string NegotiateDeviceId(const fs::path& parport) {
  const int fd = OpenNode(parport);
  if (fd < 0) return {};
  std::string text;
  if (ioctl(fd, PPCLAIM) == 0) {
    text = AskClaimedPort(fd);
    ioctl(fd, PPRELEASE);
  }
  close(fd);
  return text;
}

// PPCLAIM waits for as long as another program holds the port, so the negotiation is given up
// at its limit; its thread ends once the port is free.
std::string ParallelDeviceId(const fs::path& parport, DetachedQuery& negotiation) {
  return negotiation.Run([parport] { return NegotiateDeviceId(parport); }, kNegotiationLimit)
      .value_or(std::string());
}

// The kernel's record of the device ID it read when the port driver loaded, one key per line.
std::string AutoprobeText(const fs::path& file) {
  std::ifstream in(file);
  std::string text;
  for (std::string line; std::getline(in, line);) text += line;
  return text;
}

}  // namespace

OpenOutcome RefusedOpen(const fs::path& node, int error) {
  OpenOutcome outcome;
  outcome.detail = node.string() + ": " + std::generic_category().message(error);
  switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
      outcome.failure = OpenFailure::NotFound;
      break;
    case EACCES:
    case EPERM:
      outcome.failure = OpenFailure::PermissionDenied;
      outcome.detail += std::string("; ") + kLpGroupAdvice + kUdevRuleAdvice;
      break;
    case EBUSY:
      // The lp and usblp drivers let one program at a time hold a printer.
      outcome.failure = OpenFailure::Busy;
      outcome.detail = node.string() + ": " + ResultMessage(ERR_PORT_BUSY);
      break;
    default:
      outcome.failure = OpenFailure::Failed;
      break;
  }
  return outcome;
}

FdPortDevice::FdPortDevice(int fd, PortKind kind, DeviceIdQuery query, ModelHintQuery hint)
    : fd_(fd), kind_(kind), query_(std::move(query)), hint_(std::move(hint)) {
  // Without LP_ABORT the lp driver sleeps inside write() while the printer is offline or out of
  // paper, even on a non-blocking descriptor. Other descriptors refuse the request.
  int flags = 0;
  if (kind_ == PortKind::Parallel && ioctl(fd_, LPGETFLAGS, &flags) == 0 &&
      (flags & LP_ABORT) == 0) {
    restore_abort_ = ioctl(fd_, LPABORT, 1) == 0;
  }
}

FdPortDevice::~FdPortDevice() {
  // The flag belongs to the port, not to this descriptor: leave it as the next user expects.
  if (restore_abort_) ioctl(fd_, LPABORT, 0);
  close(fd_);
}

long FdPortDevice::WriteSome(std::span<const uint8_t> bytes) {
  const ssize_t count = write(fd_, bytes.data(), bytes.size());
  if (count > 0) return Moved(count);
  return count == 0 ? 0 : Refused(errno);
}

long FdPortDevice::ReadSome(std::span<uint8_t> buffer) {
  const ssize_t count = read(fd_, buffer.data(), buffer.size());
  if (count > 0) return Moved(count);
  // A zero-length USB packet reads as nothing; so does a peer that has gone, which only poll()
  // tells apart.
  if (count == 0) return HungUp() ? -1 : 0;
  return Refused(errno);
}

void FdPortDevice::WaitReady(Readiness direction, std::chrono::milliseconds limit) {
  const auto bounded = std::clamp<std::chrono::milliseconds::rep>(limit.count(), 0, INT_MAX);
  pollfd entry{fd_, static_cast<short>(direction == Readiness::Readable ? POLLIN : POLLOUT), 0};
  if (poll(&entry, 1, static_cast<int>(bounded)) <= 0) return;
  // The lp driver has no poll() and always reports ready. When ready has already been claimed
  // once with nothing moved since, a short pause keeps the caller's loop from spinning.
  if (ready_without_progress_) {
    std::this_thread::sleep_for(std::min(kRetryPause, std::chrono::milliseconds(bounded)));
  }
  ready_without_progress_ = true;
}

std::string FdPortDevice::DeviceId() {
  return query_ ? query_(fd_) : std::string();
}

std::string FdPortDevice::ModelHint() {
  return hint_ ? hint_() : std::string();
}

long FdPortDevice::Moved(long count) {
  ready_without_progress_ = false;
  return count;
}

TransferError ClassifyTransferError(PortKind kind, int error) {
  if (error == EAGAIN || error == EINTR) return TransferError::TryAgain;
  // Under LP_ABORT the lp driver reports a busy, offline or paper-out printer at once. Those
  // states pass, so the transfer's deadline decides, as it does for a printer that is merely slow.
  if (kind == PortKind::Parallel && (error == EBUSY || error == EIO || error == ENOSPC)) {
    return TransferError::TryAgain;
  }
  return TransferError::LinkGone;
}

long FdPortDevice::Refused(int error) const {
  return ClassifyTransferError(kind_, error) == TransferError::TryAgain ? 0 : -1;
}

bool FdPortDevice::HungUp() const {
  pollfd entry{fd_, POLLIN, 0};
  return poll(&entry, 1, 0) > 0 && (entry.revents & (POLLHUP | POLLERR)) != 0;
}

LinuxPortProvider::LinuxPortProvider(fs::path dev_root, fs::path sys_root, fs::path proc_root)
    : dev_root_(std::move(dev_root)),
      sys_root_(std::move(sys_root)),
      proc_root_(std::move(proc_root)),
      negotiation_(std::make_shared<DetachedQuery>()) {}

OpenOutcome LinuxPortProvider::Open(PortId port) {
  const PortEntry& entry = PortEntryOf(port);
  if (entry.kind == PortKind::Parallel) return OpenParallel(static_cast<int>(entry.number));
  return OpenUsb(entry.number);
}

std::optional<std::vector<std::string>> LinuxPortProvider::PrintersPresent() {
  std::vector<std::string> present;
  const std::vector<UsbPrinter> printers = UsbPrinters();
  for (const PortEntry& port : kPorts) {
    if (port.kind != PortKind::Usb || port.number >= printers.size()) continue;
    present.push_back(std::string(port.name) + " " + DescribeUsbPrinter(printers[port.number]));
  }
  return present;
}

OpenOutcome LinuxPortProvider::OpenParallel(int number) {
  const fs::path node = dev_root_ / ("lp" + std::to_string(number));
  const int fd = OpenNode(node);
  if (fd < 0) return RefusedOpen(node, errno);
  const std::string port = "parport" + std::to_string(number);
  // The device ID is only asked through the parport node: a printer the user may not ask would
  // otherwise look switched off.
  if (const fs::path parport = dev_root_ / port;
      access(parport.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM)) {
    const int error = errno;
    close(fd);
    return RefusedOpen(parport, error);
  }
  auto query = [parport = dev_root_ / port, negotiation = negotiation_](int) {
    return ParallelDeviceId(parport, *negotiation);
  };
  auto hint = [autoprobe = proc_root_ / "sys/dev/parport" / port / "autoprobe"] {
    return AutoprobeText(autoprobe);
  };
  return Opened(fd, PortKind::Parallel, std::move(query), std::move(hint));
}

std::vector<UsbPrinter> LinuxPortProvider::UsbPrinters() const {
  return FindUsbPrinters(sys_root_);
}

OpenOutcome LinuxPortProvider::OpenUsb(std::size_t ordinal) {
  const std::vector<UsbPrinter> printers = UsbPrinters();
  if (ordinal >= printers.size()) {
    return {nullptr, OpenFailure::NotFound,
            "USB printer " + std::to_string(ordinal + 1) +
                " not found: " + std::to_string(printers.size()) + " USB printer(s) connected"};
  }
  const UsbPrinter& printer = printers[ordinal];
  // Without a node (no devtmpfs, or a rule that removed it) usblp is no way in; libusb then
  // takes the interface from it.
  const fs::path node = dev_root_ / "usb" / printer.usblp;
  if (printer.usblp.empty() || !fs::exists(node)) return OpenThroughLibusb(printer, dev_root_);
  const int fd = OpenNode(node);
  if (fd < 0) return RefusedOpen(node, errno);
  return Opened(fd, PortKind::Usb, UsbDeviceId);
}

}  // namespace opal
