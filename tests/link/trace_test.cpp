#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "link/factory.h"
#include "link/replayport.h"
#include "link/tracefile.h"
#include "link/tracemask.h"
#include "link/tracingport.h"
#include "tests/support/fakes.h"
#include "tests/support/scripteddevice.h"
#include "tests/support/tempdir.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::FakeClock;
using ::testing::HasSubstr;
using testing::ThrowingExit;

TraceEvent Bytes(TraceKind kind, std::vector<uint8_t> bytes, std::vector<bool> masked = {}) {
  TraceEvent event;
  event.kind = kind;
  event.bytes = std::move(bytes);
  event.masked = std::move(masked);
  return event;
}

TraceEvent Text(TraceKind kind, std::string text, OpenFailure failure = OpenFailure::None) {
  TraceEvent event;
  event.kind = kind;
  event.text = std::move(text);
  event.failure = failure;
  return event;
}

TEST(TraceFileTest, EveryEventReadsBackAsItWasWritten) {
  std::vector<TraceEvent> events{
      Text(TraceKind::Open, "VLUSB1:"),
      Text(TraceKind::Refused, "/dev/usb/lp0: Permission denied; \\ odd\x01",
           OpenFailure::PermissionDenied),
      Text(TraceKind::Opened, ""),
      Text(TraceKind::DeviceId, "MFG:CORVANE;MDL:Corvane Opal 320;\r\n"),
      Text(TraceKind::DeviceId, ""),
      Bytes(TraceKind::Sent, {0x1B, 0x7C, 0x00}, {false, true, false}),
      Bytes(TraceKind::Received, {0x40, 0x0D, 0xFF}),
      Text(TraceKind::Full, ""),
      Text(TraceKind::Gone, "<"),
      Text(TraceKind::Close, ""),
      Text(TraceKind::End, "3"),
  };
  std::string text = FormatTraceHeader({1, true, "opalctl bid write ms-black -5"});
  for (std::size_t k = 0; k < events.size(); ++k) {
    events[k].at = std::chrono::microseconds(1'000'000 * k + 7);
    text += FormatTraceEvent(events[k]);
  }
  const TraceRead read = ParseTrace(text);
  EXPECT_EQ(read.header.command, "opalctl bid write ms-black -5");
  EXPECT_TRUE(read.header.ids_kept);
  EXPECT_FALSE(read.cut);
  ASSERT_EQ(read.events.size(), events.size());
  for (std::size_t k = 0; k < events.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(read.events[k].at, events[k].at);
    EXPECT_EQ(read.events[k].kind, events[k].kind);
    EXPECT_EQ(read.events[k].text, events[k].text);
    EXPECT_EQ(read.events[k].failure, events[k].failure);
    EXPECT_EQ(read.events[k].masked, events[k].masked);
    for (std::size_t b = 0; b < events[k].bytes.size(); ++b) {
      if (!events[k].Masked(b)) {
        EXPECT_EQ(read.events[k].bytes[b], events[k].bytes[b]);
      }
    }
  }
}

TEST(TraceFileTest, ALastLineWithoutItsLineFeedIsLeftOutAndSaidSo) {
  const std::string whole = FormatTraceHeader({}) + "0.000001 open LPT1\n0.000002 opened\n";
  const TraceRead read = ParseTrace(whole + "0.000003 > 1b 7");
  EXPECT_TRUE(read.cut);
  EXPECT_EQ(read.events.size(), 2u);
}

struct BadTrace {
  const char* name;
  std::string text;
  const char* says;
};

class BadTraceTest : public ::testing::TestWithParam<BadTrace> {};

TEST_P(BadTraceTest, IsRefusedNamingWhy) {
  try {
    ParseTrace(GetParam().text);
    FAIL() << "read";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), HasSubstr(GetParam().says));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadTraceTest,
    ::testing::Values(
        BadTrace{"empty", "", "empty"},
        BadTrace{"no_header", "0.000001 opened\n", "not a printer trace"},
        BadTrace{"newer", "opal-trace 2\n", "version 2 is newer"},
        BadTrace{"bad_byte", "opal-trace 1\n0.000001 > 1b zz\n", "line 2: \"zz\" is no byte"},
        BadTrace{"three_digits", "opal-trace 1\n0.000001 > 1b7 00\n", "line 2: bytes are two"},
        BadTrace{"no_bytes", "opal-trace 1\n0.000001 <\n", "line 2: no bytes"},
        BadTrace{"short_time", "opal-trace 1\n0.01 opened\n", "line 2: no time"},
        BadTrace{"negative_time", "opal-trace 1\n-1.000000 opened\n", "line 2: no time"},
        BadTrace{"unknown", "opal-trace 1\n0.000001 reset\n", "line 2: no event \"reset\""},
        BadTrace{"bad_escape", "opal-trace 1\n0.000001 id a\\x4\n", "line 2: a \\"},
        BadTrace{"bad_reason", "opal-trace 1\n0.000001 refused maybe\n", "no reason"},
        BadTrace{"gone_nowhere", "opal-trace 1\n0.000001 gone\n", "no direction"}),
    [](const auto& info) { return info.param.name; });

TEST(TraceWriterTest, KeepsWithinItsLimitDroppingTheOldestPart) {
  testing::TempDir temp;
  const fs::path path = temp.path() / "bounded.trace";
  constexpr std::size_t kLimit = 4096;
  {
    TraceWriter writer(path, {}, kLimit);
    for (int k = 0; k < 500; ++k) {
      writer.Write(Bytes(TraceKind::Sent, std::vector<uint8_t>(8, static_cast<uint8_t>(k))));
    }
    EXPECT_EQ(writer.Problem(), "");
  }
  fs::path earlier = path;
  earlier += ".1";
  EXPECT_LE(fs::file_size(path) + fs::file_size(earlier), kLimit);
  const TraceRead read = LoadTrace(path);
  EXPECT_TRUE(read.lost_beginning);
  EXPECT_GT(read.header.part, 2);
  // The newest bytes are all there, the oldest gone.
  EXPECT_EQ(read.events.back().bytes.front(), static_cast<uint8_t>(499));
  EXPECT_NE(read.events.front().bytes.front(), 0);
  FakeClock clock;
  EXPECT_THROW(ReplayPortProvider(read, clock, clock), std::runtime_error);
}

TEST(TraceWriterTest, WritesOnlyARegularFileOfItsOwn) {
  testing::TempDir temp;
  const fs::path target = temp.path() / "elsewhere";
  std::ofstream(target) << "keep";
  fs::create_symlink(target, temp.path() / "link.trace");
  EXPECT_THROW(TraceWriter(temp.path() / "link.trace", {}), std::runtime_error);
  EXPECT_EQ(testing::ReadWholeFile(target), "keep");
  ASSERT_EQ(mkfifo((temp.path() / "fifo.trace").c_str(), 0600), 0);
  EXPECT_THROW(TraceWriter(temp.path() / "fifo.trace", {}), std::runtime_error);
  EXPECT_THROW(TraceWriter(temp.path() / "no" / "such.trace", {}), std::runtime_error);
}

std::vector<uint8_t> ReadFrameOf(uint8_t address) {
  return {0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x41, 0xBE, 0xA0, address};
}

std::vector<uint8_t> NamedReply(uint8_t address, uint8_t value) {
  std::vector<uint8_t> reply = testing::ReplyWith(value);
  const std::vector<uint8_t> hex = testing::ReplyWith(address);
  const std::array<uint8_t, 7> subject{'\r', '\n', 'E', 'E', hex[14], hex[15], ':'};
  std::copy(subject.begin(), subject.end(), reply.begin() + 7);
  return reply;
}

// A masker that has read the serial number "K4A7Q20931" from the printer.
TraceMasker MaskerThatKnows(const std::string& serial) {
  TraceMasker masker;
  for (std::size_t k = 0; k < serial.size(); ++k) {
    const auto address = static_cast<uint8_t>(kUsbIdAddress + k);
    TraceEvent asked = Bytes(TraceKind::Sent, ReadFrameOf(address));
    masker.Outgoing(asked);
    TraceEvent reply = Bytes(TraceKind::Received, NamedReply(address, serial[k]));
    masker.Incoming(reply);
    EXPECT_TRUE(reply.Masked(kReplyValueOffset) && reply.Masked(kReplyValueOffset + 1));
    EXPECT_EQ(reply.bytes[kReplyValueOffset], 0);
  }
  return masker;
}

class SplitSerialTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(SplitSerialTest, TheSerialIsMaskedWhereverAWriteSplitsIt) {
  const std::string serial = "K4A7Q20931";
  TraceMasker masker = MaskerThatKnows(serial);
  const std::string page = "\x1b@USB ID = " + serial + "1B3EH530\r\n";
  const std::size_t split = std::string("\x1b@USB ID = ").size() + GetParam();
  TraceEvent first = Bytes(TraceKind::Sent, {page.begin(), page.begin() + long(split)});
  TraceEvent second = Bytes(TraceKind::Sent, {page.begin() + long(split), page.end()});
  masker.Outgoing(first);
  masker.Outgoing(second);
  std::string seen;
  for (const TraceEvent* part : {&first, &second}) {
    for (std::size_t k = 0; k < part->bytes.size(); ++k) {
      seen += part->Masked(k) ? '*' : static_cast<char>(part->bytes[k]);
    }
  }
  EXPECT_EQ(seen, "\x1b@USB ID = **********1B3EH530\r\n");
}

INSTANTIATE_TEST_SUITE_P(Points, SplitSerialTest, ::testing::Range<std::size_t>(0, 11));

TEST(TraceMaskerTest, MasksIdWritesAndSerialsInTexts) {
  TraceMasker masker;
  TraceEvent write = Bytes(TraceKind::Sent, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x42, 0xBD,
                                             0x21, kUsbIdAddress + 3, 'Q'});
  masker.Outgoing(write);
  EXPECT_TRUE(write.Masked(kFrameValueOffset));
  TraceEvent other = Bytes(TraceKind::Sent,
                           {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x42, 0xBD, 0x21, 0x20, 'Q'});
  masker.Outgoing(other);
  EXPECT_TRUE(other.masked.empty());
  EXPECT_EQ(masker.Text("MFG:VELTA;SN:X123;MDL:Opal 320;sern:77;"),
            "MFG:VELTA;SN:**;MDL:Opal 320;sern:**;");
  EXPECT_EQ(masker.Text("VELTA Opal 320 (USB 1-2, f1e2:0a17, serial X9)"),
            "VELTA Opal 320 (USB 1-2, ****:****, serial **)");
  const TraceMasker knows = MaskerThatKnows("K4A7Q20931");
  EXPECT_EQ(knows.Text("label K4A7Q20931"), "label **********");
}

TEST(MaskedReplyFillerTest, AMaskedReplyReadsWhatTheProgramWroteThere) {
  MaskedReplyFiller filler;
  filler.Sent(std::vector<uint8_t>{0x1B, 0x7C, 0x00, 0x07, 0x00, 0x06, 0x31, 0x42, 0xBD, 0x21,
                                   kUsbIdAddress, 'Q'});
  std::vector<bool> masked(TFactoryCommand::kReplySize, false);
  masked[kReplyValueOffset] = masked[kReplyValueOffset + 1] = true;
  std::vector<uint8_t> written = NamedReply(kUsbIdAddress, 0);
  filler.Fill(written, masked);
  EXPECT_EQ(written, NamedReply(kUsbIdAddress, 'Q'));
  std::vector<uint8_t> unknown = NamedReply(kUsbIdAddress + 1, 0);
  filler.Fill(unknown, masked);
  EXPECT_EQ(unknown, NamedReply(kUsbIdAddress + 1, '0'));
}

// A printer that answers each EEPROM read with the address as the value, after the delay of its
// turn.
class SlowPrinter final : public PortDevice {
 public:
  SlowPrinter(FakeClock& clock, std::deque<std::chrono::milliseconds> delays)
      : clock_(clock), delays_(std::move(delays)) {}
  long WriteSome(std::span<const uint8_t> bytes) override {
    if (bytes.size() == 11 && bytes[7] == 0x41 && !delays_.empty()) {
      replies_.push_back({clock_.Now() + delays_.front(), NamedReply(bytes[10], bytes[10])});
      delays_.pop_front();
    }
    return static_cast<long>(bytes.size());
  }
  long ReadSome(std::span<uint8_t> buffer) override {
    if (replies_.empty() || clock_.Now() < replies_.front().first) return 0;
    const std::vector<uint8_t> reply = replies_.front().second;
    replies_.pop_front();
    std::copy(reply.begin(), reply.end(), buffer.begin());
    return static_cast<long>(reply.size());
  }
  void WaitReady(Readiness, std::chrono::milliseconds limit) override { clock_.Advance(limit); }
  std::string DeviceId() override { return "MDL:Corvane Opal 320;SN:X1;"; }

 private:
  FakeClock& clock_;
  std::deque<std::chrono::milliseconds> delays_;
  std::deque<std::pair<Clock::TimePoint, std::vector<uint8_t>>> replies_;
};

class SlowProvider final : public PortProvider {
 public:
  explicit SlowProvider(FakeClock& clock) : clock_(clock) {}
  OpenOutcome Open(PortId) override {
    return {std::make_unique<SlowPrinter>(clock_, std::deque{0ms, 25'000ms, 10ms}),
            OpenFailure::None,
            {}};
  }

 private:
  FakeClock& clock_;
};

struct Exchange {
  std::string device_id;
  std::vector<std::pair<Result, uint8_t>> reads;
};

Exchange Converse(PortProvider& provider, FakeClock& clock) {
  ThrowingExit exit;
  TPrinterPort port(provider, clock, exit);
  TFactoryCommand command(port);
  Exchange exchange;
  EXPECT_EQ(port.Open(PortId::Vlusb1), PORT_OK);
  exchange.device_id = port.DeviceIdText();
  for (const uint8_t address : {0x21, 0x22, 0x23}) {
    uint8_t value = 0;
    const Result result = command.EepromReadByte(address, value);
    exchange.reads.push_back({result, value});
  }
  return exchange;
}

TEST(ReplayPortTest, AReplayGivesTheProgramWhatTheRecordingGaveItWhenItGotIt) {
  testing::TempDir temp;
  const fs::path path = temp.path() / "slow.trace";
  FakeClock recording_clock;
  SlowProvider printer(recording_clock);
  Exchange recorded;
  {
    auto recorder = std::make_shared<TraceRecorder>(
        std::make_unique<TraceWriter>(path, TraceHeader{}), recording_clock, /*keep_ids=*/false);
    TracingPortProvider tracing(printer, recorder);
    recorded = Converse(tracing, recording_clock);
  }
  // The late reply to the second read is skipped when the third comes.
  ASSERT_EQ(recorded.reads.size(), 3u);
  EXPECT_EQ(recorded.reads[0], std::make_pair(PORT_OK, uint8_t{0x21}));
  EXPECT_EQ(recorded.reads[1].first, ERR_RECEIVE_TIMEOUT);
  EXPECT_EQ(recorded.reads[2], std::make_pair(PORT_OK, uint8_t{0x23}));
  EXPECT_EQ(recorded.device_id, "MDL:Corvane Opal 320;SN:X1;");

  FakeClock replay_clock;
  ReplayPortProvider replay(LoadTrace(path), replay_clock, replay_clock);
  const Exchange replayed = Converse(replay, replay_clock);
  EXPECT_EQ(replayed.reads, recorded.reads);
  EXPECT_EQ(replayed.device_id, "MDL:Corvane Opal 320;SN:**;");
  EXPECT_EQ(replay.Difference(), std::nullopt);
  EXPECT_EQ(replay_clock.Now() - FakeClock{}.Now(), recording_clock.Now() - FakeClock{}.Now());
}

TEST(ReplayPortTest, APortOtherThanTheRecordedOneIsADifference) {
  const std::string text = FormatTraceHeader({}) + "0.000000 open LPT1\n0.000000 opened\n";
  FakeClock clock;
  ReplayPortProvider replay(ParseTrace(text), clock, clock);
  std::string told;
  replay.SetDifferenceHook([&](const std::string& difference) { told = difference; });
  const OpenOutcome outcome = replay.Open(PortId::Vlusb2);
  EXPECT_EQ(outcome.device, nullptr);
  EXPECT_EQ(told, "Replay stopped: the program opens VLUSB2: where it opens LPT1 (line 7).");
  EXPECT_EQ(outcome.detail, told);
  EXPECT_EQ(replay.Open(PortId::Lpt1).device, nullptr) << "the run stays stopped";
}

}  // namespace
}  // namespace opal
