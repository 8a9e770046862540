#include "virtualport/virtualport.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "link/resultcodes.h"

namespace opal {

VirtualPortProvider::VirtualPortProvider(vp::VirtualPrinter& printer, const Clock& clock,
                                         Sleeper& sleeper)
    : printer_(printer), clock_(clock), sleeper_(sleeper) {}

OpenOutcome VirtualPortProvider::Open(PortId /*port*/) {
  try {
    if (!printer_.Claim()) return {nullptr, OpenFailure::Busy, ResultMessage(ERR_PORT_BUSY)};
  } catch (const std::exception& error) {
    return {nullptr, OpenFailure::Failed, error.what()};
  }
  return {std::make_unique<VirtualPortDevice>(printer_, clock_, sleeper_), OpenFailure::None, {}};
}

VirtualPortDevice::VirtualPortDevice(vp::VirtualPrinter& printer, const Clock& clock,
                                     Sleeper& sleeper)
    : printer_(printer), clock_(clock), sleeper_(sleeper) {}

VirtualPortDevice::~VirtualPortDevice() {
  printer_.Release();
}

// A printer that cannot keep its state on disk has broken down: the link is gone, and why is
// told where the technician sees it.
long VirtualPortDevice::WriteSome(std::span<const uint8_t> bytes) {
  if (!printer_.AcceptsInput(clock_.Now())) return 0;
  try {
    printer_.Feed(bytes, clock_.Now());
  } catch (const std::exception& error) {
    std::cerr << "virtual printer: " << error.what() << '\n';
    return -1;
  }
  return static_cast<long>(bytes.size());
}

void VirtualPortDevice::Collect() {
  const std::vector<uint8_t> reply = printer_.TakeReply(clock_.Now());
  unread_.insert(unread_.end(), reply.begin(), reply.end());
}

long VirtualPortDevice::ReadSome(std::span<uint8_t> buffer) {
  // One reply is one packet: a read never joins the end of one reply to the next.
  if (unread_.empty()) Collect();
  const std::size_t count = std::min(buffer.size(), unread_.size());
  std::copy_n(unread_.begin(), count, buffer.begin());
  unread_.erase(unread_.begin(), unread_.begin() + static_cast<long>(count));
  return static_cast<long>(count);
}

void VirtualPortDevice::WaitReady(Readiness direction, std::chrono::milliseconds limit) {
  const bool ready =
      direction == Readiness::Writable ? printer_.AcceptsInput(clock_.Now()) : !unread_.empty();
  if (ready) return;
  if (direction == Readiness::Readable) {
    Collect();
    if (!unread_.empty()) return;
    // A reply owed sooner than the limit is waited for only until it is due.
    if (const auto due = printer_.NextReplyDue()) {
      const auto until = std::chrono::ceil<std::chrono::milliseconds>(*due - clock_.Now());
      limit = std::min(limit, until);
    }
  }
  sleeper_.Sleep(std::max(limit, std::chrono::milliseconds{1}));
}

std::string VirtualPortDevice::DeviceId() {
  return printer_.DeviceId(clock_.Now());
}

}  // namespace opal
