#include "link/printerdriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>

#include "tests/support/fakes.h"
#include "tests/support/scripteddevice.h"

namespace opal {
namespace {

using namespace std::chrono_literals;
using testing::FakeClock;
using testing::ProgramEnded;
using testing::Script;
using testing::ScriptedProvider;
using testing::ThrowingExit;

class MissingProvider final : public PortProvider {
 public:
  explicit MissingProvider(OpenFailure failure) : failure_(failure) {}
  OpenOutcome Open(PortId) override { return {nullptr, failure_, detail}; }
  std::string detail;

 private:
  OpenFailure failure_;
};

class PortTest : public ::testing::Test {
 protected:
  std::vector<uint8_t> Bytes(std::size_t count) { return std::vector<uint8_t>(count, 0x55); }

  FakeClock clock;
  ThrowingExit exit;
  Script script;
  ScriptedProvider provider{script, clock};
  TPrinterPort port{provider, clock, exit};
};

TEST_F(PortTest, ClosedPortRefusesTransfersWithoutTouchingTheDevice) {
  std::array<uint8_t, 18> reply{};
  EXPECT_EQ(port.Send(Bytes(4)), ERR_PORT_NOT_OPEN);
  EXPECT_EQ(port.Receive(reply), ERR_PORT_NOT_OPEN);
  EXPECT_FALSE(port.CheckDeviceId());
  EXPECT_EQ(provider.opened, 0);
}

TEST_F(PortTest, SendWritesEverythingAcrossPartialWrites) {
  script.accept_per_write = 3;
  ASSERT_EQ(port.Open(PortId::Lpt1), PORT_OK);
  EXPECT_EQ(port.Send(Bytes(10)), PORT_OK);
  EXPECT_EQ(testing::Joined(script.writes), Bytes(10));
}

TEST_F(PortTest, SendTakingTheWholeLimitIsATimeoutEvenWhenEverythingWasWritten) {
  script.write_takes = 10s;
  ASSERT_EQ(port.Open(PortId::Lpt1), PORT_OK);
  EXPECT_EQ(port.Send(Bytes(4)), ERR_SEND_TIMEOUT);
}

TEST_F(PortTest, SendToAPrinterThatStopsReadingGivesUpAtTheLimit) {
  script.accept_per_write = 0;
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  const auto start = clock.Now();
  EXPECT_EQ(port.Send(Bytes(4)), ERR_SEND_TIMEOUT);
  EXPECT_GE(clock.Now() - start, 10s);
  EXPECT_LT(clock.Now() - start, 10s + 100ms);
}

TEST_F(PortTest, WithinAPrintJobAStalledPrinterFailsTheRestAtOnce) {
  script.accept_per_write = 0;
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  std::array<uint8_t, 18> reply{};
  {
    TPrinterPort::StallGuard job(port);
    EXPECT_EQ(port.Send(Bytes(4)), ERR_SEND_TIMEOUT);
    const auto after_first = clock.Now();
    TPrinterPort::StallGuard inner(port);
    EXPECT_EQ(port.Send(Bytes(4)), ERR_SEND_TIMEOUT);
    EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_TIMEOUT);
    EXPECT_EQ(clock.Now(), after_first);
  }
  script.accept_per_write = -1;  // the printer takes bytes again: the next operation may use it
  EXPECT_EQ(port.Send(Bytes(4)), PORT_OK);
}

TEST_F(PortTest, ReceiveOnParallelCollectsAReplySplitInTwo) {
  script.unasked = {std::vector<uint8_t>(10, 1), std::vector<uint8_t>(8, 2)};
  ASSERT_EQ(port.Open(PortId::Lpt1), PORT_OK);
  std::array<uint8_t, 18> reply{};
  EXPECT_EQ(port.Receive(reply), PORT_OK);
  EXPECT_EQ(reply[17], 2);
}

TEST_F(PortTest, ReceiveOnUsbSkipsZeroLengthPacketsAndTakesOnePacket) {
  script.unasked = {{}, {}, std::vector<uint8_t>(18, 7)};
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  std::array<uint8_t, 18> reply{};
  EXPECT_EQ(port.Receive(reply), PORT_OK);
  EXPECT_EQ(reply[0], 7);

  script.unasked = {std::vector<uint8_t>(10, 1), std::vector<uint8_t>(8, 2)};
  EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_COUNT);
}

TEST_F(PortTest, ReceiveOnUsbNeverWritesPastTheCallersBuffer) {
  script.unasked = {std::vector<uint8_t>(128, 9)};
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  std::vector<uint8_t> reply(18, 0);  // heap-allocated so an overrun is caught
  EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_COUNT);
  EXPECT_EQ(reply[17], 9);
}

TEST_F(PortTest, ShortAndMissingRepliesGiveTheirCodes) {
  for (const PortId index : {PortId::Lpt1, PortId::Vlusb1}) {
    SCOPED_TRACE(PortEntryOf(index).name);
    ASSERT_EQ(port.Open(index), PORT_OK);
    std::array<uint8_t, 18> reply{};
    script.unasked = {std::vector<uint8_t>(17, 1)};
    EXPECT_EQ(port.Receive(reply), index == PortId::Lpt1 ? ERR_RECEIVE_TIMEOUT : ERR_RECEIVE_COUNT);
    script.unasked.clear();
    const auto start = clock.Now();
    EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_TIMEOUT);
    EXPECT_LT(clock.Now() - start, 20s + 100ms);
  }
}

TEST_F(PortTest, TheIdleHookRunsWhileWaiting) {
  int idles = 0;
  port.SetIdle([&] { ++idles; });
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  std::array<uint8_t, 18> reply{};
  EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_TIMEOUT);
  EXPECT_GE(idles, 20'000 / 50);
}

TEST_F(PortTest, TheIdleHookRunsThroughWritesTheDeviceTakesAtOnce) {
  int idles = 0;
  port.SetIdle([&] { ++idles; });
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  script.write_takes = 20ms;
  const std::array<uint8_t, 1> byte{0x0C};
  for (int send = 0; send < 10; ++send) ASSERT_EQ(port.Send(byte), PORT_OK);
  EXPECT_GE(idles, 200 / 50);
}

TEST_F(PortTest, IdentifyModelFollowsTheDeviceId) {
  struct Case {
    std::string id;
    PrinterModel expected;
  };
  const std::vector<Case> cases{
      {"MFG:VELTA;MDL:Corvane Opal 320;", PrinterModel::Opal320},
      {"MDL:Corvane Opal 310;", PrinterModel::Opal310},
      {"MDL:QX-310C;", PrinterModel::Qx310C},
      {"MDL:Something else;", PrinterModel::None},  // never the model of an earlier answer
      {"MDL:Corvane Opal 310;", PrinterModel::Opal310},
      {"", PrinterModel::None},
  };
  ASSERT_EQ(port.Open(PortId::Lpt1), PORT_OK);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    script.device_id = c.id;
    port.IdentifyModel();
    EXPECT_EQ(port.ModelCode, c.expected);
    EXPECT_EQ(port.CheckDeviceId(), !c.id.empty());
  }
}

TEST_F(PortTest, OneDeviceIdAnswerServesTheCheckAndTheModel) {
  ASSERT_EQ(port.Open(PortId::Lpt1), PORT_OK);
  script.device_id = "MFG:VELTA;MDL:Corvane Opal 310;";
  ASSERT_TRUE(port.CheckDeviceId());
  script.device_id = "MFG:VELTA;MDL:Corvane Opal 320;";
  port.IdentifyModelFromLastAnswer();
  EXPECT_EQ(port.ModelCode, PrinterModel::Opal310);

  port.Close();
  port.IdentifyModelFromLastAnswer();
  EXPECT_EQ(port.ModelCode, PrinterModel::None);
}

// A device whose device-ID question hangs in the kernel until the test lets it go.
struct HeldQuestion {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::promise<void> destroyed;
  std::atomic<int> asked{0};
};

class HangingDevice final : public PortDevice {
 public:
  explicit HangingDevice(std::shared_ptr<HeldQuestion> held) : held_(std::move(held)) {}
  ~HangingDevice() override { held_->destroyed.set_value(); }
  long WriteSome(std::span<const uint8_t> bytes) override { return long(bytes.size()); }
  long ReadSome(std::span<uint8_t>) override { return 0; }
  void WaitReady(Readiness, std::chrono::milliseconds) override {}
  std::string DeviceId() override {
    ++held_->asked;
    held_->released.wait();
    return "MDL:Corvane Opal 320;";
  }

 private:
  std::shared_ptr<HeldQuestion> held_;
};

class HangingProvider final : public PortProvider {
 public:
  explicit HangingProvider(std::shared_ptr<HeldQuestion> held) : held_(std::move(held)) {}
  OpenOutcome Open(PortId) override {
    return {std::make_unique<HangingDevice>(held_), OpenFailure::None, {}};
  }

 private:
  std::shared_ptr<HeldQuestion> held_;
};

TEST(PortDeviceId, AHangingQuestionIsGivenUpAtItsLimitWhileTheWindowPaints) {
  auto held = std::make_shared<HeldQuestion>();
  std::future<void> destroyed = held->destroyed.get_future();
  HangingProvider provider(held);
  FakeClock clock;
  ThrowingExit exit;
  {
    PortLimits limits;
    limits.device_id = 300ms;
    TPrinterPort port(provider, clock, exit, limits);
    int idles = 0;
    port.SetIdle([&] { ++idles; });
    ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK);

    EXPECT_FALSE(port.CheckDeviceId());
    EXPECT_GE(idles, 3);
    port.IdentifyModel();
    EXPECT_EQ(port.ModelCode, PrinterModel::None);
    // The first question still hangs: no second thread joins it.
    EXPECT_EQ(held->asked, 1);
  }
  // The port is gone; the question that outlived it still has its device.
  EXPECT_EQ(destroyed.wait_for(0s), std::future_status::timeout);
  held->release.set_value();
  EXPECT_EQ(destroyed.wait_for(10s), std::future_status::ready);
}

TEST(PortOpen, ParallelPortThatCannotOpenGivesNotOpen) {
  FakeClock clock;
  ThrowingExit exit;
  MissingProvider provider(OpenFailure::NotFound);
  TPrinterPort port(provider, clock, exit);
  EXPECT_EQ(port.Open(PortId::Lpt1), ERR_PORT_NOT_OPEN);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.CheckDeviceId());
}

TEST(PortOpen, UsbPortThatCannotOpenEndsTheProgramWithTheReason) {
  struct Case {
    OpenFailure failure;
    std::string text;
  };
  for (const auto& c : {Case{OpenFailure::NotFound, "Cannot open port."},
                        Case{OpenFailure::PermissionDenied, "Cannot open port\n\nask for lp"}}) {
    FakeClock clock;
    ThrowingExit exit;
    MissingProvider provider(c.failure);
    if (c.failure == OpenFailure::PermissionDenied) provider.detail = "ask for lp";
    TPrinterPort port(provider, clock, exit);
    try {
      DropResult(port.Open(PortId::Vlusb2));
      FAIL() << "the program went on";
    } catch (const ProgramEnded& ended) {
      EXPECT_EQ(ended.notice.caption, "error");
      EXPECT_EQ(ended.notice.text, c.text);
    }
    EXPECT_EQ(port.PortName(), "VLUSB2:");
  }
}

}  // namespace
}  // namespace opal
