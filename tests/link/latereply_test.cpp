#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "link/factory.h"
#include "tests/support/fakes.h"
#include "tests/support/scripteddevice.h"

namespace opal {
namespace {

using namespace std::chrono_literals;
using testing::FakeClock;
using testing::ThrowingExit;

// A printer that answers every EEPROM read with the address asked for as the value, each reply
// after the delay given for its turn. A trickling printer hands a reply over one byte per
// `byte_every`, as a parallel port may; otherwise a reply is one packet.
class SlowPrinter final : public PortDevice {
 public:
  SlowPrinter(FakeClock& clock, std::deque<std::chrono::milliseconds> delays,
              std::chrono::milliseconds byte_every, bool names_address = false)
      : clock_(clock),
        delays_(std::move(delays)),
        byte_every_(byte_every),
        names_address_(names_address) {}

  long WriteSome(std::span<const uint8_t> bytes) override {
    const bool read_request = bytes.size() == 11 && bytes[7] == 0x41;
    if (read_request && !delays_.empty()) {
      std::vector<uint8_t> reply = testing::ReplyWith(bytes[10]);
      // As a printer that says what it read: CR LF "EE", the address in hex, ":".
      if (names_address_) {
        const std::vector<uint8_t> hex = testing::ReplyWith(bytes[10]);
        const std::array<uint8_t, 7> subject{'\r', '\n', 'E', 'E', hex[14], hex[15], ':'};
        std::copy(subject.begin(), subject.end(), reply.begin() + 7);
      }
      replies_.push_back({clock_.Now() + delays_.front(), std::move(reply)});
      delays_.pop_front();
    }
    return static_cast<long>(bytes.size());
  }
  long ReadSome(std::span<uint8_t> buffer) override {
    if (replies_.empty() || clock_.Now() < replies_.front().from) return 0;
    Reply& reply = replies_.front();
    std::size_t arrived = reply.bytes.size();
    if (byte_every_ > 0ms) {
      arrived = std::min(arrived, std::size_t(1 + (clock_.Now() - reply.from) / byte_every_));
    }
    const std::size_t count = std::min(buffer.size(), arrived - reply.taken);
    std::copy_n(reply.bytes.begin() + long(reply.taken), count, buffer.begin());
    reply.taken += count;
    if (reply.taken == reply.bytes.size()) replies_.pop_front();
    return static_cast<long>(count);
  }
  void WaitReady(Readiness, std::chrono::milliseconds limit) override { clock_.Advance(limit); }
  std::string DeviceId() override { return "MDL:Corvane Opal 320;"; }

 private:
  struct Reply {
    Clock::TimePoint from;
    std::vector<uint8_t> bytes;
    std::size_t taken = 0;
  };
  FakeClock& clock_;
  std::deque<std::chrono::milliseconds> delays_;
  std::chrono::milliseconds byte_every_;
  bool names_address_;
  std::deque<Reply> replies_;
};

class OneDeviceProvider final : public PortProvider {
 public:
  explicit OneDeviceProvider(std::unique_ptr<PortDevice> device) : device_(std::move(device)) {}
  OpenOutcome Open(PortId) override { return {std::move(device_), OpenFailure::None, {}}; }

 private:
  std::unique_ptr<PortDevice> device_;
};

TEST(LateReply, NeverAnswersTheNextRequest) {
  struct Case {
    const char* what;
    PortId port_index;
    std::chrono::milliseconds late_by;
    std::chrono::milliseconds byte_every;
  };
  const std::vector<Case> cases{
      {"USB: one packet after the limit", PortId::Vlusb1, 20'500ms, 0ms},
      {"parallel: all at once after the limit", PortId::Lpt1, 20'500ms, 0ms},
      {"parallel: byte by byte after the limit", PortId::Lpt1, 20'300ms, 80ms},
      {"parallel: the first bytes in time, the rest after", PortId::Lpt1, 19'900ms, 80ms},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeClock clock;
    ThrowingExit exit;
    OneDeviceProvider provider(
        std::make_unique<SlowPrinter>(clock, std::deque{c.late_by, 0ms, 0ms}, c.byte_every));
    TPrinterPort port(provider, clock, exit);
    TFactoryCommand command(port);
    ASSERT_EQ(port.Open(c.port_index), PORT_OK);

    uint8_t value = 0;
    EXPECT_EQ(command.EepromReadByte(0x11, value), ERR_RECEIVE_TIMEOUT);
    for (const uint8_t address : {0x22, 0x33}) {
      value = 0;
      EXPECT_EQ(command.EepromReadByte(address, value), PORT_OK);
      EXPECT_EQ(value, address);
    }
  }
}

// The first reply comes long after its request gave up, and lands while a later request waits:
// a reply that names the address it answers is never taken for another's.
TEST(LateReply, ANamedReplyIsTakenOnlyForItsOwnRequest) {
  for (const auto late_by : {21'000ms, 25'000ms, 40'000ms, 60'000ms}) {
    SCOPED_TRACE(late_by.count());
    FakeClock clock;
    ThrowingExit exit;
    OneDeviceProvider provider(std::make_unique<SlowPrinter>(
        clock, std::deque{late_by, 0ms, 0ms, 0ms}, 0ms, /*names_address=*/true));
    TPrinterPort port(provider, clock, exit);
    TFactoryCommand command(port);
    ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);

    uint8_t value = 0;
    EXPECT_EQ(command.EepromReadByte(0x11, value), ERR_RECEIVE_TIMEOUT);
    bool answered = false;
    for (const uint8_t address : {0x22, 0x33, 0x44}) {
      value = 0;
      const Result result = command.EepromReadByte(address, value);
      if (result == PORT_OK) {
        EXPECT_EQ(value, address);
        answered = true;
      } else {
        EXPECT_EQ(result, ERR_RECEIVE_TIMEOUT);
      }
    }
    EXPECT_TRUE(answered) << "the printer answers again once the late reply is past";
  }
}

TEST(LateReply, WhatThePrinterSentUnaskedIsDroppedAtNoCost) {
  FakeClock clock;
  ThrowingExit exit;
  testing::Script script;
  testing::ScriptedProvider provider(script, clock);
  TPrinterPort port(provider, clock, exit);
  TFactoryCommand command(port);
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  script.unasked = {std::vector<uint8_t>(5, 0x7F), testing::ReplyWith(0x11)};
  script.packets = {testing::ReplyWith(0x22)};

  const auto start = clock.Now();
  uint8_t value = 0;
  EXPECT_EQ(command.EepromReadByte(0x22, value), PORT_OK);
  EXPECT_EQ(value, 0x22);
  EXPECT_EQ(clock.Now(), start);
}

// Has something to read at every read once it starts talking, and counts the reads.
class EndlessTalker final : public PortDevice {
 public:
  explicit EndlessTalker(FakeClock& clock, bool& talking, int& reads)
      : clock_(clock), talking_(talking), reads_(reads) {}
  long WriteSome(std::span<const uint8_t> bytes) override { return long(bytes.size()); }
  long ReadSome(std::span<uint8_t> buffer) override {
    if (!talking_) return 0;
    ++reads_;
    std::fill(buffer.begin(), buffer.end(), uint8_t{'x'});
    return long(buffer.size());
  }
  void WaitReady(Readiness, std::chrono::milliseconds limit) override { clock_.Advance(limit); }
  std::string DeviceId() override { return {}; }

 private:
  FakeClock& clock_;
  bool& talking_;
  int& reads_;
};

TEST(LateReply, DiscardingIsBoundedAndASilentPrinterCostsTheGraceOnce) {
  FakeClock clock;
  ThrowingExit exit;
  bool talking = false;
  int reads = 0;
  OneDeviceProvider provider(std::make_unique<EndlessTalker>(clock, talking, reads));
  TPrinterPort port(provider, clock, exit);
  ASSERT_EQ(port.Open(PortId::Lpt1), PORT_OK);
  std::array<uint8_t, 18> reply{};

  EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_TIMEOUT);
  auto start = clock.Now();
  port.DiscardUnasked();
  EXPECT_GE(clock.Now() - start, TPrinterPort::kLateReplyGrace);
  EXPECT_LT(clock.Now() - start, TPrinterPort::kLateReplyGrace + 100ms);
  start = clock.Now();
  port.DiscardUnasked();
  EXPECT_EQ(clock.Now(), start);

  talking = true;
  port.DiscardUnasked();
  EXPECT_EQ(reads, TPrinterPort::kMaxDiscardReads);
  talking = false;
  EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_TIMEOUT);
  talking = true;
  reads = 0;
  port.DiscardUnasked();
  EXPECT_EQ(reads, TPrinterPort::kMaxDiscardReads);
}

}  // namespace
}  // namespace opal
