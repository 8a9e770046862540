#include "link/linuxdevices.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "link/printerdriver.h"
#include "tests/support/fakes.h"
#include "tests/support/tempdir.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Stands in for a printer cable: the device end behaves like a USB printer node (a zero-length
// message reads as 0 bytes, a closed end is a hang-up), the other end is the printer.
class Link {
 public:
  Link() {
    // A write to a closed socket raises SIGPIPE, which would end the test run.
    std::signal(SIGPIPE, SIG_IGN);
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends_.data()) != 0) {
      throw std::runtime_error("socketpair failed");
    }
  }
  ~Link() {
    for (int end : ends_) {
      if (end >= 0) close(end);
    }
  }
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  int TakeDeviceEnd() { return std::exchange(ends_[0], -1); }
  void PrinterSays(std::string_view message) {
    ASSERT_EQ(send(ends_[1], message.data(), message.size(), 0),
              static_cast<ssize_t>(message.size()));
  }
  void PrinterGoesAway() { close(std::exchange(ends_[1], -1)); }
  // The printer stops reading: the device end's send buffer fills up.
  void FillDeviceSide() {
    const std::vector<char> chunk(4096, 'x');
    while (send(ends_[0], chunk.data(), chunk.size(), 0) > 0) {
    }
  }
  std::string PrinterReads() {
    std::array<char, 256> buffer{};
    const ssize_t count = recv(ends_[1], buffer.data(), buffer.size(), 0);
    return count < 0 ? std::string("<nothing>") : std::string(buffer.data(), count);
  }

 private:
  std::array<int, 2> ends_{-1, -1};
};

class LinkProvider final : public PortProvider {
 public:
  explicit LinkProvider(Link& link) : link_(link) {}
  OpenOutcome Open(PortId port) override {
    OpenOutcome outcome;
    outcome.device =
        std::make_unique<FdPortDevice>(link_.TakeDeviceEnd(), PortEntryOf(port).kind, nullptr);
    return outcome;
  }

 private:
  Link& link_;
};

TEST(FdPortDeviceTest, TellsAZeroLengthPacketFromAHangUp) {
  Link link;
  FdPortDevice device(link.TakeDeviceEnd(), PortKind::Usb, nullptr);
  std::array<uint8_t, 8> buffer{};
  const std::array<uint8_t, 2> bytes{1, 2};

  EXPECT_EQ(device.ReadSome(buffer), 0);
  link.PrinterSays("");
  EXPECT_EQ(device.ReadSome(buffer), 0);

  link.PrinterGoesAway();
  EXPECT_EQ(device.ReadSome(buffer), -1);
  EXPECT_EQ(device.WriteSome(bytes), -1);
}

TEST(FdPortDeviceTest, ClosingTheDeviceReleasesTheDescriptor) {
  Link link;
  { FdPortDevice device(link.TakeDeviceEnd(), PortKind::Parallel, nullptr); }
  EXPECT_EQ(link.PrinterReads(), "");
}

// The port object's loops running over a real descriptor.
struct LinkedPort {
  explicit LinkedPort(PortLimits limits = {200ms, 200ms}) : port(provider, clock, exit, limits) {}
  Link link;
  LinkProvider provider{link};
  SystemClock clock;
  testing::ThrowingExit exit;
  TPrinterPort port;
};

constexpr std::string_view kReply = "@BDC PS\r\nAB;\r\n\f\r\n.";  // 18 bytes

// A parallel printer that is busy, offline or out of paper is there: the transfer's deadline
// decides. The same errors from a USB device, or a hang-up from either, end the transfer.
TEST(TransferErrorTest, OnlyTheLpDriversPrinterStatesAreWorthWaitingFor) {
  struct Case {
    PortKind kind;
    int error;
    TransferError meaning;
  };
  constexpr auto kParallel = PortKind::Parallel;
  constexpr auto kUsb = PortKind::Usb;
  constexpr auto kAgain = TransferError::TryAgain;
  constexpr auto kGone = TransferError::LinkGone;
  for (const Case& c : std::vector<Case>{
           {kParallel, EAGAIN, kAgain},
           {kUsb, EAGAIN, kAgain},
           {kParallel, EINTR, kAgain},
           {kUsb, EINTR, kAgain},
           {kParallel, EBUSY, kAgain},
           {kParallel, EIO, kAgain},
           {kParallel, ENOSPC, kAgain},
           {kUsb, EBUSY, kGone},
           {kUsb, EIO, kGone},
           {kUsb, ENOSPC, kGone},
           {kParallel, ENODEV, kGone},
           {kUsb, ENODEV, kGone},
           {kParallel, EPIPE, kGone},
           {kUsb, EPIPE, kGone},
       }) {
    SCOPED_TRACE(std::string(c.kind == kUsb ? "USB " : "parallel ") + std::to_string(c.error));
    EXPECT_EQ(ClassifyTransferError(c.kind, c.error), c.meaning);
  }
}

TEST(PortOverLinkTest, ReceiveFollowsEachKindOfPortsReadingRule) {
  struct Case {
    const char* what;
    PortId port_index;
    std::vector<std::string_view> messages;
    Result result;
  };
  const std::vector<Case> cases{
      {"USB: whole reply", PortId::Vlusb1, {kReply}, PORT_OK},
      {"parallel: whole reply", PortId::Lpt1, {kReply}, PORT_OK},
      {"USB: zero-length packets first", PortId::Vlusb1, {"", "", kReply}, PORT_OK},
      {"parallel: zero-length packets first", PortId::Lpt1, {"", "", kReply}, PORT_OK},
      {"USB: only the first part counts",
       PortId::Vlusb1,
       {kReply.substr(0, 7), kReply.substr(7)},
       ERR_RECEIVE_COUNT},
      {"parallel: parts add up", PortId::Lpt1, {kReply.substr(0, 7), kReply.substr(7)}, PORT_OK},
      {"USB: one byte short", PortId::Vlusb1, {kReply.substr(1)}, ERR_RECEIVE_COUNT},
      {"parallel: one byte short waits for the rest",
       PortId::Lpt1,
       {kReply.substr(1)},
       ERR_RECEIVE_TIMEOUT},
      {"USB: silence", PortId::Vlusb1, {}, ERR_RECEIVE_TIMEOUT},
      {"parallel: silence", PortId::Lpt1, {}, ERR_RECEIVE_TIMEOUT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LinkedPort linked;
    ASSERT_EQ(linked.port.Open(c.port_index), PORT_OK);
    for (std::string_view message : c.messages) linked.link.PrinterSays(message);

    std::array<uint8_t, 18> reply{};
    EXPECT_EQ(linked.port.Receive(reply), c.result);
    if (c.result == PORT_OK) {
      EXPECT_EQ(std::string(reply.begin(), reply.end()), kReply);
    }
  }
}

TEST(PortOverLinkTest, SendDeliversTheBytes) {
  LinkedPort linked;
  ASSERT_EQ(linked.port.Open(PortId::Vlusb1), PORT_OK);
  const std::array<uint8_t, 5> frame{0x1B, 0x7C, 0x00, 0x05, 0x00};
  EXPECT_EQ(linked.port.Send(frame), PORT_OK);
  EXPECT_EQ(linked.link.PrinterReads(), std::string(frame.begin(), frame.end()));
}

TEST(PortOverLinkTest, APrinterThatGoesAwayEndsTransfersAtOnce) {
  for (PortId port_index : {PortId::Lpt1, PortId::Vlusb1}) {
    SCOPED_TRACE(PortEntryOf(port_index).name);
    // Limits long enough that running into them shows the hang-up went unnoticed.
    LinkedPort linked({2s, 2s});
    ASSERT_EQ(linked.port.Open(port_index), PORT_OK);
    linked.link.PrinterGoesAway();

    std::array<uint8_t, 18> reply{};
    EXPECT_EQ(linked.port.Receive(reply), ERR_RECEIVE_COUNT);
    EXPECT_EQ(linked.port.Send(reply), ERR_SEND_COUNT);
  }
}

TEST(PortOverLinkTest, APrinterThatStopsReadingStallsSendUntilTheLimit) {
  for (PortId port_index : {PortId::Lpt1, PortId::Vlusb1}) {
    SCOPED_TRACE(PortEntryOf(port_index).name);
    LinkedPort linked;
    linked.link.FillDeviceSide();
    ASSERT_EQ(linked.port.Open(port_index), PORT_OK);
    const std::array<uint8_t, 12> frame{};
    EXPECT_EQ(linked.port.Send(frame), ERR_SEND_TIMEOUT);
  }
}

// Device nodes in a temporary tree; regular files stand in for them.
class LinuxPortProviderTest : public ::testing::Test {
 protected:
  void Write(const fs::path& relative, std::string_view content) {
    const fs::path file = root.path() / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << content;
  }
  // Which stand-in node a device was opened on.
  static std::string Contents(PortDevice& device) {
    std::array<uint8_t, 64> buffer{};
    const long count = device.ReadSome(buffer);
    return count < 0 ? "<hang-up>" : std::string(buffer.begin(), buffer.begin() + count);
  }

  testing::TempDir root;
  LinuxPortProvider provider{root.path() / "dev", root.path() / "sys", root.path() / "proc"};
};

TEST_F(LinuxPortProviderTest, PortsWithoutADeviceAreNotFound) {
  for (const PortEntry& entry : kPorts) {
    const PortId port_index = entry.id;
    SCOPED_TRACE(entry.name);
    const OpenOutcome outcome = provider.Open(port_index);
    EXPECT_EQ(outcome.device, nullptr);
    EXPECT_EQ(outcome.failure, OpenFailure::NotFound);
    EXPECT_FALSE(outcome.detail.empty());
  }
}

TEST_F(LinuxPortProviderTest, ParallelPortsAreTheLpNodes) {
  Write("dev/lp0", "lp0");
  Write("dev/lp2", "lp2");
  for (auto [port_index, node] : {std::pair{PortId::Lpt1, "lp0"}, std::pair{PortId::Lpt3, "lp2"}}) {
    OpenOutcome outcome = provider.Open(port_index);
    ASSERT_NE(outcome.device, nullptr) << outcome.detail;
    EXPECT_EQ(Contents(*outcome.device), node);
  }
  EXPECT_EQ(provider.Open(PortId::Lpt2).failure, OpenFailure::NotFound);
}

// The parport node counts as much as the lp node: without it the printer cannot be asked.
TEST_F(LinuxPortProviderTest, ANodeTheUserMayNotOpenSaysHowToGetAccess) {
  if (geteuid() == 0) GTEST_SKIP() << "root opens any node";
  for (const char* refused : {"dev/lp0", "dev/parport0"}) {
    SCOPED_TRACE(refused);
    Write("dev/lp0", "");
    Write("dev/parport0", "");
    fs::permissions(root.path() / refused, fs::perms::none);
    const OpenOutcome outcome = provider.Open(PortId::Lpt1);
    EXPECT_EQ(outcome.device, nullptr);
    EXPECT_EQ(outcome.failure, OpenFailure::PermissionDenied);
    EXPECT_NE(outcome.detail.find((root.path() / refused).string()), std::string::npos);
    EXPECT_NE(outcome.detail.find("usermod -aG lp"), std::string::npos);
    EXPECT_NE(outcome.detail.find("udev rule"), std::string::npos);
    fs::permissions(root.path() / refused, fs::perms::owner_read | fs::perms::owner_write);
  }
}

TEST_F(LinuxPortProviderTest, TheKernelsProbeOfAParallelPortNamesTheModelButIsNoAnswer) {
  Write("dev/lp0", "");
  Write("dev/lp1", "");
  Write("proc/sys/dev/parport/parport0/autoprobe",
        "CLASS:PRINTER;\nMODEL:Corvane Opal 320;\nMANUFACTURER:Corvane;\n");
  Write("proc/sys/dev/parport/parport1/autoprobe", "MODEL:Corvane Opal 310;\n");
  Write("dev/parport1", "");  // not a ppdev node: it cannot negotiate

  OpenOutcome first = provider.Open(PortId::Lpt1);
  ASSERT_NE(first.device, nullptr) << first.detail;
  EXPECT_EQ(first.device->DeviceId(), "");
  EXPECT_EQ(first.device->ModelHint(),
            "CLASS:PRINTER;MODEL:Corvane Opal 320;MANUFACTURER:Corvane;");
  OpenOutcome second = provider.Open(PortId::Lpt2);
  ASSERT_NE(second.device, nullptr) << second.detail;
  EXPECT_EQ(second.device->DeviceId(), "");
  EXPECT_EQ(second.device->ModelHint(), "MODEL:Corvane Opal 310;");

  fs::remove(root.path() / "proc/sys/dev/parport/parport0/autoprobe");
  EXPECT_EQ(first.device->ModelHint(), "");
}

TEST(RefusedOpenTest, SaysWhyANodeDidNotOpen) {
  struct Case {
    int error;
    OpenFailure failure;
    std::string detail_start;
  };
  const std::vector<Case> cases{
      {EBUSY, OpenFailure::Busy, "/dev/usb/lp0: The printer is in use by another program."},
      {ENOENT, OpenFailure::NotFound, "/dev/usb/lp0: No such file or directory"},
      {ENXIO, OpenFailure::NotFound, "/dev/usb/lp0: No such device or address"},
      {ENODEV, OpenFailure::NotFound, "/dev/usb/lp0: No such device"},
      {EACCES, OpenFailure::PermissionDenied, "/dev/usb/lp0: Permission denied; add your user"},
      {EIO, OpenFailure::Failed, "/dev/usb/lp0: Input/output error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.detail_start);
    const OpenOutcome outcome = RefusedOpen("/dev/usb/lp0", c.error);
    EXPECT_EQ(outcome.device, nullptr);
    EXPECT_EQ(outcome.failure, c.failure);
    EXPECT_TRUE(outcome.detail.starts_with(c.detail_start)) << outcome.detail;
  }
}

// A printer another program holds is no reason to end the program, on either kind of port.
TEST(RefusedOpenTest, ABusyPrinterIsReportedAsSuch) {
  class BusyProvider final : public PortProvider {
   public:
    OpenOutcome Open(PortId) override { return RefusedOpen("/dev/usb/lp0", EBUSY); }
  };
  for (PortId port_index : {PortId::Lpt1, PortId::Vlusb1}) {
    SCOPED_TRACE(PortEntryOf(port_index).name);
    BusyProvider provider;
    testing::FakeClock clock;
    testing::ThrowingExit exit;
    TPrinterPort port(provider, clock, exit);
    EXPECT_EQ(port.Open(port_index), ERR_PORT_BUSY);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.OpenProblem(), "/dev/usb/lp0: The printer is in use by another program.");
  }
}

}  // namespace
}  // namespace opal
