#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "link/models.h"
#include "link/portdevice.h"
#include "link/ports.h"
#include "link/programexit.h"
#include "link/resultcodes.h"
#include "link/timing.h"

namespace opal {

struct PortLimits {
  std::chrono::milliseconds write{10'000};
  std::chrono::milliseconds read{20'000};
  // Real time, as the question runs on a thread of its own. A parallel port's negotiation gives
  // up at 3 s by itself; the margin lets it say so first.
  std::chrono::milliseconds device_id{3'500};
};

// What the link is doing and has moved since it opened, readable from any thread while printer
// work runs on another: how a window says what a long wait waits for.
struct PortTraffic {
  enum class Doing : uint8_t { Sending, AwaitingReply, AskingWho };
  std::atomic<Doing> doing{Doing::Sending};
  std::atomic<uint64_t> sent{0};
  std::atomic<uint64_t> received{0};
};

// The one connection to the printer.
class TPrinterPort {
 public:
  static constexpr std::size_t kUsbReadSize = 128;
  static constexpr std::chrono::milliseconds kLateReplyGrace{2'000};
  // Bounds the discarding when a device keeps sending.
  static constexpr int kMaxDiscardReads = 64;

  TPrinterPort(PortProvider& provider, const Clock& clock, ProgramExit& exit,
               PortLimits limits = {});

  Result Open(PortId port);
  Result Send(std::span<const uint8_t> bytes);
  // Bytes of a stream that may go out with the ones after them: a USB port waits for every
  // write, so a page's thousands of small commands are written kHeldMost at a time. What is held
  // always goes out before anything else is sent or received, in order. The result is that of
  // the write this made, if any.
  Result Hold(std::span<const uint8_t> bytes);
  // Writes what is held now; the write's result.
  Result Release();
  static constexpr std::size_t kHeldMost = 16 * 1024;
  // Reads a reply of exactly `buffer.size()` bytes.
  Result Receive(std::span<uint8_t> buffer);
  // Throws away what the printer sent that no request waits for, so a reply that came after its
  // limit can never answer a later request. Never blocks, except just after a reply ran out of
  // time or came short: then the printer may still be sending the rest, and it is given
  // kLateReplyGrace to arrive in full.
  void DiscardUnasked();
  void Close();

  // The device-ID text as the printer gave it; empty when it does not answer within
  // PortLimits::device_id or the port is closed. The question runs off the calling thread, which
  // meanwhile calls the idle hook, and the answer is kept for IdentifyModelFromLastAnswer.
  std::string DeviceIdText();
  bool CheckDeviceId();
  // Asks for the device ID and sets ModelCode from it.
  void IdentifyModel();
  // Sets ModelCode from the answer of the last question on this connection without asking again:
  // None when there was none or it names no known model.
  void IdentifyModelFromLastAnswer();

  bool IsOpen() const { return device_ != nullptr; }
  PortId Port() const { return port_; }
  std::string_view PortName() const { return PortEntryOf(port_).name; }
  // Why the last Open failed, for a technician; empty after a successful one.
  const std::string& OpenProblem() const { return open_problem_; }
  void SetIdle(IdleHook idle) { idle_ = std::move(idle); }
  // Whether a stream is under way: a Send, or bytes held for the next write.
  bool InSend() const { return sending_ || !held_.empty(); }
  // The printers the ports could reach now, found without opening one (PortProvider).
  std::optional<std::vector<std::string>> PrintersPresent() const {
    return provider_.PrintersPresent();
  }
  // "Printers found on other ports: ..." when the printers present stand on other ports than
  // the one last opened, for a technician who chose the wrong one; empty otherwise.
  std::string PrintersElsewhere() const;

  const PortTraffic& Traffic() const { return traffic_; }

  PrinterModel ModelCode = PrinterModel::None;

  // Within a print job a printer that stopped taking bytes fails the rest of the job at once,
  // instead of charging each of its thousands of writes the full limit. Scopes nest; the
  // outermost one clears the state on entry and on exit, so other operations never see it.
  class StallGuard {
   public:
    explicit StallGuard(TPrinterPort& port);
    ~StallGuard();
    StallGuard(const StallGuard&) = delete;
    StallGuard& operator=(const StallGuard&) = delete;

   private:
    TPrinterPort& port_;
  };

 private:
  Result Transmit(std::span<const uint8_t> bytes);
  void WaitFor(Readiness direction, Clock::TimePoint deadline);
  void Idle();
  Result Write(std::span<const uint8_t> bytes);
  // Both count in `got` the bytes of the reply that came.
  Result ReceiveParallel(std::span<uint8_t> buffer, Clock::TimePoint deadline, std::size_t& got);
  Result ReceiveUsb(std::span<uint8_t> buffer, Clock::TimePoint deadline, std::size_t& got);

  PortProvider& provider_;
  const Clock& clock_;
  ProgramExit& exit_;
  PortLimits limits_;
  IdleHook idle_;
  bool sending_ = false;
  std::vector<uint8_t> held_;
  Clock::TimePoint last_idle_{};
  // Shared with a device-ID question that may outlive its limit, so it never meets a destroyed
  // device.
  std::shared_ptr<PortDevice> device_;
  DetachedQuery device_id_query_;
  std::string last_device_id_;
  PortId port_ = PortId::Lpt1;
  std::string open_problem_;
  int stall_guards_ = 0;
  Result stalled_ = PORT_OK;
  // Bytes of replies that ran out of time or came short and may still arrive.
  std::size_t owed_bytes_ = 0;
  std::array<uint8_t, kUsbReadSize> usb_buffer_{};
  PortTraffic traffic_;
};

}  // namespace opal
