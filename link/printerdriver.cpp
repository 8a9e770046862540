#include "link/printerdriver.h"

#include <algorithm>
#include <cstring>

#include "link/deviceid.h"

namespace opal {
namespace {

std::string Explain(const OpenOutcome& outcome) {
  if (outcome.failure == OpenFailure::None) return {};
  return outcome.detail;
}

// What the link does for as long as the scope lasts, however it is left.
class DoingScope {
 public:
  DoingScope(PortTraffic& traffic, PortTraffic::Doing doing) : traffic_(traffic) {
    traffic_.doing = doing;
  }
  ~DoingScope() { traffic_.doing = PortTraffic::Doing::Sending; }
  DoingScope(const DoingScope&) = delete;
  DoingScope& operator=(const DoingScope&) = delete;

 private:
  PortTraffic& traffic_;
};

}  // namespace

TPrinterPort::TPrinterPort(PortProvider& provider, const Clock& clock, ProgramExit& exit,
                           PortLimits limits)
    : provider_(provider), clock_(clock), exit_(exit), limits_(limits) {}

Result TPrinterPort::Open(PortId port) {
  Close();
  port_ = port;
  traffic_.sent = 0;
  traffic_.received = 0;
  OpenOutcome outcome = provider_.Open(port);
  open_problem_ = Explain(outcome);
  if (outcome.device) {
    device_ = std::move(outcome.device);
    return PORT_OK;
  }
  // A printer in use elsewhere is there and may be free in a moment: nothing to end for.
  if (outcome.failure == OpenFailure::Busy) return ERR_PORT_BUSY;
  if (PortEntryOf(port).kind == PortKind::Usb) {
    // A USB port that is missing or refuses us ends the program, as it always has; the reason
    // is added so the technician knows what to fix.
    const bool found = outcome.failure != OpenFailure::NotFound;
    std::string text = found ? "Cannot open port" : "Cannot open port.";
    if (!open_problem_.empty()) text += "\n\n" + open_problem_;
    exit_.End({"error", text + PrintersElsewhere()});
  }
  return ERR_PORT_NOT_OPEN;
}

std::string TPrinterPort::PrintersElsewhere() const {
  std::string text;
  const std::string chosen = std::string(PortEntryOf(port_).name) + ' ';
  for (const std::string& line : PrintersPresent().value_or(std::vector<std::string>{})) {
    if (!line.starts_with(chosen)) text += "\n" + line;
  }
  return text.empty() ? text : "\n\nPrinters found on other ports:" + text;
}

void TPrinterPort::Close() {
  // A stream's last bytes still go out; whoever cared for their result released them before.
  if (device_) DropResult(Release());
  held_.clear();
  device_.reset();
  owed_bytes_ = 0;
  last_device_id_.clear();
}

void TPrinterPort::WaitFor(Readiness direction, Clock::TimePoint deadline) {
  // The hook is due kIdleEvery after its last turn, however long the writes before took.
  const auto until = std::min(deadline, last_idle_ + kIdleEvery);
  const auto limit = std::chrono::duration_cast<std::chrono::milliseconds>(until - clock_.Now());
  device_->WaitReady(direction, std::clamp(limit, std::chrono::milliseconds{0}, kIdleEvery));
  Idle();
}

void TPrinterPort::Idle() {
  last_idle_ = clock_.Now();
  if (idle_) idle_();
}

TPrinterPort::StallGuard::StallGuard(TPrinterPort& port) : port_(port) {
  if (port_.stall_guards_++ == 0) port_.stalled_ = PORT_OK;
}

TPrinterPort::StallGuard::~StallGuard() {
  if (--port_.stall_guards_ == 0) port_.stalled_ = PORT_OK;
}

Result TPrinterPort::Hold(std::span<const uint8_t> bytes) {
  held_.insert(held_.end(), bytes.begin(), bytes.end());
  while (held_.size() >= kHeldMost) {
    const Result written = Write(std::span(held_).first(kHeldMost));
    held_.erase(held_.begin(), held_.begin() + kHeldMost);
    // The rest of a stream whose write failed must not follow it later.
    if (written != PORT_OK) {
      held_.clear();
      return written;
    }
  }
  return PORT_OK;
}

Result TPrinterPort::Release() {
  if (held_.empty()) return PORT_OK;
  const std::vector<uint8_t> bytes = std::move(held_);
  held_.clear();
  return Write(bytes);
}

Result TPrinterPort::Send(std::span<const uint8_t> bytes) {
  if (const Result released = Release(); released != PORT_OK) return released;
  return Write(bytes);
}

Result TPrinterPort::Write(std::span<const uint8_t> bytes) {
  // A page is thousands of writes a fast device takes without a wait: the hook still gets its turn.
  sending_ = true;
  const struct Sent {
    bool& sending;
    ~Sent() { sending = false; }
  } sent{sending_};
  if (clock_.Now() - last_idle_ >= kIdleEvery) Idle();
  if (!device_) return ERR_PORT_NOT_OPEN;
  if (stalled_ != PORT_OK) return stalled_;
  const Result result = Transmit(bytes);
  if (result == ERR_SEND_TIMEOUT && stall_guards_ > 0) stalled_ = result;
  return result;
}

Result TPrinterPort::Transmit(std::span<const uint8_t> bytes) {
  const auto start = clock_.Now();
  const auto deadline = start + limits_.write;
  std::size_t written = 0;
  bool link_lost = false;
  while (written < bytes.size() && clock_.Now() < deadline) {
    const long moved = device_->WriteSome(bytes.subspan(written));
    if (moved < 0) {
      link_lost = true;
      break;
    }
    written += static_cast<std::size_t>(moved);
    traffic_.sent += static_cast<uint64_t>(moved);
    if (written < bytes.size()) WaitFor(Readiness::Writable, deadline);
  }
  if (clock_.Now() - start >= limits_.write) return ERR_SEND_TIMEOUT;
  if (link_lost || written != bytes.size()) return ERR_SEND_COUNT;
  return PORT_OK;
}

Result TPrinterPort::Receive(std::span<uint8_t> buffer) {
  if (const Result released = Release(); released != PORT_OK) return released;
  if (!device_) return ERR_PORT_NOT_OPEN;
  if (stalled_ != PORT_OK) return ERR_RECEIVE_TIMEOUT;
  const auto start = clock_.Now();
  std::size_t got = 0;
  const Result result = [&] {
    const DoingScope awaiting(traffic_, PortTraffic::Doing::AwaitingReply);
    return PortEntryOf(port_).kind == PortKind::Usb
               ? ReceiveUsb(buffer, start + limits_.read, got)
               : ReceiveParallel(buffer, start + limits_.read, got);
  }();
  traffic_.received += got;
  // What did not come of the reply may still come, and must not start the next one.
  if (got < buffer.size()) owed_bytes_ += buffer.size() - got;
  if (clock_.Now() - start >= limits_.read) return ERR_RECEIVE_TIMEOUT;
  return result;
}

void TPrinterPort::DiscardUnasked() {
  if (!device_ || stalled_ != PORT_OK) return;
  const auto deadline = clock_.Now() + kLateReplyGrace;
  int reads = 0;
  while (reads < kMaxDiscardReads) {
    const long moved = device_->ReadSome(usb_buffer_);
    if (moved < 0) break;
    if (moved > 0) {
      ++reads;
      owed_bytes_ -= std::min(owed_bytes_, static_cast<std::size_t>(moved));
      continue;
    }
    if (owed_bytes_ == 0 || clock_.Now() >= deadline) break;
    WaitFor(Readiness::Readable, deadline);
  }
  owed_bytes_ = 0;
}

Result TPrinterPort::ReceiveParallel(std::span<uint8_t> buffer, Clock::TimePoint deadline,
                                     std::size_t& got) {
  while (got < buffer.size() && clock_.Now() < deadline) {
    const long moved = device_->ReadSome(buffer.subspan(got));
    if (moved < 0) return ERR_RECEIVE_COUNT;
    got += static_cast<std::size_t>(moved);
    if (got < buffer.size()) WaitFor(Readiness::Readable, deadline);
  }
  return got == buffer.size() ? PORT_OK : ERR_RECEIVE_COUNT;
}

Result TPrinterPort::ReceiveUsb(std::span<uint8_t> buffer, Clock::TimePoint deadline,
                                std::size_t& got) {
  // The reply must come as one packet; it lands in our own buffer so a long packet can never
  // overrun a caller's short one.
  long moved = 0;
  while (clock_.Now() < deadline) {
    moved = device_->ReadSome(usb_buffer_);
    if (moved != 0) break;
    WaitFor(Readiness::Readable, deadline);
  }
  if (moved <= 0) return ERR_RECEIVE_COUNT;
  got = static_cast<std::size_t>(moved);
  std::memcpy(buffer.data(), usb_buffer_.data(), std::min(got, buffer.size()));
  return got == buffer.size() ? PORT_OK : ERR_RECEIVE_COUNT;
}

std::string TPrinterPort::DeviceIdText() {
  last_device_id_.clear();
  if (!device_) return {};
  const DoingScope asking(traffic_, PortTraffic::Doing::AskingWho);
  last_device_id_ =
      device_id_query_
          .Run([device = device_] { return device->DeviceId(); }, limits_.device_id, idle_)
          .value_or(std::string());
  return last_device_id_;
}

bool TPrinterPort::CheckDeviceId() {
  return !DeviceIdText().empty();
}

void TPrinterPort::IdentifyModel() {
  DeviceIdText();
  IdentifyModelFromLastAnswer();
}

void TPrinterPort::IdentifyModelFromLastAnswer() {
  ModelCode = ModelNamedIn(std::string_view(last_device_id_).substr(0, kDeviceIdSize));
}

}  // namespace opal
