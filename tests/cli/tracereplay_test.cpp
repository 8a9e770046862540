#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "link/factory.h"
#include "link/tracefile.h"
#include "tests/cli/inprocessopalctl.h"
#include "tests/support/runprogram.h"
#include "tests/support/tempdir.h"
#include "tests/support/tracefiles.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::chrono_literals;

std::vector<fs::path> KeptTraces() {
  std::vector<fs::path> traces;
  for (const auto& entry : fs::directory_iterator(OPAL_TRACES_DIR)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".trace") || name.ends_with(".trace.gz")) traces.push_back(entry.path());
  }
  std::sort(traces.begin(), traces.end());
  return traces;
}

void WriteText(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

struct Replayed {
  testing::InProcessRun run;
  TraceRead recorded;
};

// Replays the trace in `text` with the command line it names, as scripts/test does with every
// trace kept in tests/traces.
Replayed Replay(const std::string& text, const testing::TempDir& temp) {
  const fs::path plain = temp.path() / "replayed.trace";
  WriteText(plain, text);
  TraceRead recorded = ParseTrace(text);
  std::vector<std::string> args{"--replay", plain.string()};
  const std::vector<std::string> command = testing::RecordedArguments(recorded.header.command);
  args.insert(args.end(), command.begin(), command.end());
  testing::FakeClock clock = testing::TraceClock();
  return {testing::RunOpalctlHere(args, clock, temp.path() / "journal.sqlite"),
          std::move(recorded)};
}

std::string RecordedEnd(const TraceRead& trace) {
  for (const TraceEvent& event : trace.events) {
    if (event.kind == TraceKind::End) return event.text;
  }
  return {};
}

class KeptTraceTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(KeptTraceTest, ReplaysByteForByteToTheRecordedOutcome) {
  testing::TempDir temp;
  const Replayed replayed = Replay(testing::ReadTraceText(GetParam()), temp);
  ASSERT_THAT(replayed.recorded.header.command, ::testing::StartsWith("opalctl "))
      << "a trace of opal-service is replayed by hand, through the same steps";
  EXPECT_THAT(replayed.run.err, Not(HasSubstr("Replay")));
  EXPECT_EQ(std::to_string(replayed.run.status), RecordedEnd(replayed.recorded))
      << replayed.run.err;
}

std::string TestName(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name = info.param.filename().string();
  name = name.substr(0, name.find(".trace"));
  std::replace_if(
      name.begin(), name.end(), [](char c) { return std::isalnum(c) == 0; }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Traces, KeptTraceTest, ::testing::ValuesIn(KeptTraces()), TestName);

// The line of the first EEPROM write in `text`, with the count of bytes the program sent
// before it.
struct SentLine {
  std::size_t index = 0;
  std::size_t sent_before = 0;
};
SentLine FirstEepromWrite(const std::vector<std::string>& lines) {
  SentLine found;
  for (; found.index < lines.size(); ++found.index) {
    const std::string& line = lines[found.index];
    if (line.starts_with('#') || line.find(" > ") == std::string::npos) continue;
    if (line.find("# EEPROM write") != std::string::npos) return found;
    const std::string bytes = line.substr(0, line.find(" # "));
    found.sent_before += (bytes.size() - bytes.find(" > ") - 2) / 3;
  }
  ADD_FAILURE() << "no EEPROM write in the trace";
  return found;
}

TEST(TraceReplayTest, AChangedStreamStopsAtItsFirstDifferingByte) {
  testing::TempDir temp;
  const std::string text =
      testing::ReadTraceText(fs::path(OPAL_TRACES_DIR) / "eeprom-write.trace.gz");
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const SentLine write = FirstEepromWrite(lines);
  // The written value is the frame's twelfth byte: "xx # EEPROM write 3A" ends the line.
  std::string& line = lines[write.index];
  const std::size_t value = line.find(" # ") - 2;
  const std::string recorded = line.substr(value, 2);
  line.replace(value, 2, recorded == "7f" ? "7e" : "7f");
  std::string changed;
  for (const std::string& kept : lines) changed += kept + '\n';

  const Replayed replayed = Replay(changed, temp);

  EXPECT_EQ(replayed.run.status, cli::kFailed);
  EXPECT_THAT(replayed.run.err,
              HasSubstr("Replay stopped at byte " + std::to_string(write.sent_before + 11) +
                        " the program sent (trace line " + std::to_string(write.index + 1) +
                        ", EEPROM write"));
  EXPECT_THAT(replayed.run.err, HasSubstr("got 0x" + recorded));
}

TEST(TraceReplayTest, AProgramThatSendsLessOrEndsOtherwiseIsADifference) {
  testing::TempDir temp;
  std::string text = testing::ReadTraceText(fs::path(OPAL_TRACES_DIR) / "bid-read-310.trace.gz");
  // The program reads six values; a trace where it read seven wants one more request.
  const std::size_t close = text.find(" close\n");
  const std::size_t line_start = text.rfind('\n', close) + 1;
  const std::string stamp = text.substr(line_start, close - line_start);
  text.insert(line_start, stamp + " > 1b 7c 00 06 00 06 31 41 be a0 39\n");
  const Replayed longer = Replay(text, temp);
  EXPECT_EQ(longer.run.status, cli::kFailed);
  EXPECT_THAT(longer.run.err, HasSubstr("the program closed the port where the program sends 11 "
                                        "bytes, EEPROM read 39"));

  std::string other_end =
      testing::ReadTraceText(fs::path(OPAL_TRACES_DIR) / "bid-read-310.trace.gz");
  other_end.replace(other_end.rfind(" end 0"), 6, " end 3");
  const Replayed ended = Replay(other_end, temp);
  EXPECT_EQ(ended.run.status, cli::kFailed);
  EXPECT_THAT(ended.run.err, HasSubstr("Replay ended with status 0 where the program ends with "
                                       "status 3"));
}

// A trace of opalctl on a fresh virtual printer of the model's sample serial number.
class TraceRecordingTest : public ::testing::Test {
 protected:
  std::string Record(const std::vector<std::string>& command, bool keep_ids = false) {
    std::vector<std::string> args{"--virtual", printer_.string(), "--trace", trace_.string()};
    if (keep_ids) args.push_back("--trace-keep-ids");
    args.insert(args.end(), command.begin(), command.end());
    testing::FakeClock clock = testing::TraceClock();
    const auto run = testing::RunOpalctlHere(args, clock, temp_.path() / "journal.sqlite");
    EXPECT_EQ(run.status, cli::kDone) << run.err;
    return testing::ReadWholeFile(trace_);
  }
  std::string Serial() const { return vp::VirtualPrinter(printer_).GetSimulation().serial_label; }

  testing::TempDir temp_;
  fs::path printer_ = temp_.path() / "printer";
  fs::path trace_ = temp_.path() / "out.trace";
};

// Every reply that reads a byte of the USB ID, as the printer names it ("EE4C:"), has its value
// masked.
void ExpectIdRepliesMasked(const std::string& trace) {
  for (int address = kUsbIdAddress; address < kUsbIdAddress + int(kUsbIdLength); ++address) {
    char subject[8];
    std::snprintf(subject, sizeof subject, "EE%02X:", address);
    const std::string named = testing::HexRun(subject);
    std::size_t found = 0;
    for (std::size_t at = trace.find(named); at != std::string::npos;
         at = trace.find(named, at + 1), ++found) {
      EXPECT_EQ(trace.substr(at + named.size(), 6), " ** **") << subject;
    }
    EXPECT_GT(found, 0u) << subject;
  }
}

TEST_F(TraceRecordingTest, MasksTheSerialNumberEverywhereUnlessAskedToKeepIt) {
  // The check sheet reads the USB ID and prints it; a USB ID write sends a new one.
  vp::VirtualPrinter(printer_, "320");
  const std::string label = Serial();
  const std::string written = "QX7Z3K9M2B";
  const std::string masked =
      Record({"print", "a4"}) + Record({"usb-id", "write", written}) + Record({"print", "a4"});
  for (const std::string& id : {label, written}) {
    EXPECT_THAT(masked, Not(HasSubstr(id)));
    EXPECT_THAT(masked, Not(HasSubstr(testing::HexRun(id))));
  }
  ExpectIdRepliesMasked(masked);
  EXPECT_THAT(masked, HasSubstr("command opalctl usb-id write 0000000000"));

  const std::string kept = Record({"print", "a4"}, /*keep_ids=*/true);
  EXPECT_THAT(kept, HasSubstr(testing::HexRun(written)));
  EXPECT_THAT(kept, HasSubstr("ids kept"));
}

TEST_F(TraceRecordingTest, AMaskedTraceOfAUsbIdWriteReplaysWhatTheProgramWrites) {
  const std::string text = Record({"usb-id", "write", "QX7Z3K9M2B"});
  testing::TempDir replay_temp;
  const Replayed replayed = Replay(text, replay_temp);
  EXPECT_EQ(replayed.run.status, cli::kDone) << replayed.run.err;
  // The read-back finds what the replayed program wrote, the masked ID of the command line.
  EXPECT_THAT(replayed.run.out + replayed.run.err, HasSubstr("0000000000"));
}

TEST(TraceKillTest, ATraceCutByAKillIsStillRead) {
  testing::TempDir temp;
  const fs::path printer = temp.path() / "printer";
  // A printer that answers each read 100 ms late keeps the run going for seconds, so each kill
  // lands amid its conversation.
  vp::VirtualPrinter(printer, "320").SetFaults({.reply_delay_ms = 100});
  const fs::path trace = temp.path() / "killed.trace";
  const std::vector<std::string> args{"--virtual", printer.string(), "--trace", trace.string(),
                                      "eeprom",    "read",           "00",      "7F"};
  for (const auto after : {2500ms, 4000ms}) {
    fs::remove(trace);
    const auto run = testing::RunProgramSignalled(OPALCTL_PATH, args, SIGKILL, after);
    ASSERT_EQ(run.status, -1) << "ended before the kill: " << run.err;
    const TraceRead read = LoadTrace(trace);
    EXPECT_EQ(read.header.command, "opalctl eeprom read 00 7F");
    ASSERT_FALSE(read.events.empty());
    EXPECT_NE(read.events.back().kind, TraceKind::End);
    EXPECT_EQ(std::count_if(read.events.begin(), read.events.end(),
                            [](const TraceEvent& event) { return event.kind == TraceKind::Open; }),
              1);
  }
}

}  // namespace
}  // namespace opal
