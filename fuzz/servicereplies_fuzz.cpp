#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>

#include "device/bid.h"
#include "device/headid.h"
#include "device/usbid.h"
#include "link/factory.h"
#include "link/printerdriver.h"
#include "maintenance/maintenance.h"
#include "maintenance/zlic.h"

namespace {

using opal::Result;

// A printer that takes every byte and answers with the fuzzer's bytes, in whatever pieces
// the reads ask for; once they are used up the link is gone, so no read waits for its limit.
class ReplyingDevice final : public opal::PortDevice {
 public:
  explicit ReplyingDevice(std::span<const uint8_t> replies) : replies_(replies) {}
  long WriteSome(std::span<const uint8_t> bytes) override {
    return static_cast<long>(bytes.size());
  }
  long ReadSome(std::span<uint8_t> buffer) override {
    if (replies_.empty()) return -1;
    const std::size_t count = std::min(buffer.size(), replies_.size());
    std::memcpy(buffer.data(), replies_.data(), count);
    replies_ = replies_.subspan(count);
    return static_cast<long>(count);
  }
  void WaitReady(opal::Readiness, std::chrono::milliseconds) override {}
  std::string DeviceId() override { return "MFG:Corvane;CMD:ESCPL2;MDL:Opal 320;CLS:PRINTER;"; }

 private:
  std::span<const uint8_t> replies_;
};

class OneDevice final : public opal::PortProvider {
 public:
  explicit OneDevice(std::span<const uint8_t> replies) : replies_(replies) {}
  opal::OpenOutcome Open(opal::PortId) override {
    return {.device = std::make_unique<ReplyingDevice>(replies_)};
  }

 private:
  std::span<const uint8_t> replies_;
};

// Every look at the clock moves it a second on, so a limit is reached after a few polls.
class RacingClock final : public opal::Clock {
 public:
  TimePoint Now() const override { return now_ += std::chrono::seconds(1); }
  std::tm LocalTime() const override {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 10;
    return local;
  }

 private:
  mutable TimePoint now_{};
};

struct Ended {};

class ThrowingExit final : public opal::ProgramExit {
 public:
  [[noreturn]] void End(const opal::ExitNotice&) override { throw Ended{}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  OneDevice provider(std::span<const uint8_t>(data, size));
  RacingClock clock;
  ThrowingExit exit;
  opal::TPrinterPort port(provider, clock, exit);
  opal::TFactoryCommand command(port);
  try {
    if (port.Open(opal::PortId::Vlusb1) != opal::PORT_OK) return 0;
    std::string text;
    opal::THeadIdCoder(command).ReadHeadId(text);
    opal::TUsbIdStore(command, clock).ReadUsbId(text);
    opal::TMaintenanceModule(command).ReadProtectionCounter(text);
    opal::TBidAdjustment bid(command);
    opal::ReadAllBidValues(bid, [](std::size_t, const std::string&) {});
    opal::ChipReports reports;
    opal::TZlic(command, clock).ReadAllChipInfo(reports);
  } catch (const Ended&) {
  }
  return 0;
}
