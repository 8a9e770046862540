#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "service/journalstore.h"
#include "tests/support/runprogram.h"
#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using Image = std::array<uint8_t, vp::VirtualPrinter::kEepromSize>;
using namespace std::chrono_literals;

struct KilledOperation {
  const char* name;
  std::vector<std::string> args;
  // Whether its writes span replies, so some kills must land between them; the others write all
  // their bytes at once and are mostly killed before or after.
  bool spans_replies;
};

void PrintTo(const KilledOperation& operation, std::ostream* out) {
  *out << operation.name;
}

// The printer answers a little late, so each operation runs long enough to be killed anywhere.
constexpr int kReplyDelayMs = 2;
constexpr int kKills = 60;

// opalctl, as a process of its own, killed with SIGKILL at random points of a journaled write on
// a virtual printer: the journal and the printer's own files are all that is left to tell.
class KillRunTest : public ::testing::TestWithParam<KilledOperation> {
 protected:
  std::vector<std::string> WithPrinter(const std::vector<std::string>& command) const {
    std::vector<std::string> args{"--virtual", printer_.string()};
    args.insert(args.end(), command.begin(), command.end());
    return args;
  }
  testing::ProgramRun Run(const std::vector<std::string>& command) const {
    return testing::RunProgram(OPALCTL_PATH, WithPrinter(command));
  }
  testing::ProgramRun RunSignalled(const std::vector<std::string>& command, int signal,
                                   std::chrono::microseconds after) const {
    return testing::RunProgramSignalled(OPALCTL_PATH, WithPrinter(command), signal, after);
  }
  Image Eeprom() const { return vp::VirtualPrinter(printer_).Eeprom(); }
  void PutBack(const Image& image) const {
    vp::VirtualPrinter printer(printer_);
    const Image now = printer.Eeprom();
    for (std::size_t address = 0; address < image.size(); ++address) {
      if (now[address] != image[address])
        printer.SetEepromByte(static_cast<uint8_t>(address), image[address]);
    }
  }
  void SetReplyDelay(int ms) const {
    vp::VirtualPrinter(printer_).SetFaults({.reply_delay_ms = ms});
  }
  // Runs the operation once with the snapshot kept and puts `before` back; then `count` times
  // between its start and its end, where a signal may land.
  std::vector<std::chrono::microseconds> SignalTimes(const KilledOperation& operation, int count,
                                                     unsigned seed, Image& before) {
    EXPECT_EQ(Run({"counter", "clear", "--yes"}).status, 0);
    before = Eeprom();
    SetReplyDelay(kReplyDelayMs);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(operation.args).status, 0);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    PutBack(before);
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> when(0, took.count());
    std::vector<std::chrono::microseconds> times;
    for (int k = 0; k < count; ++k) times.emplace_back(when(random));
    return times;
  }
  static Image After(Image image, const JournalEntry& entry) {
    for (const JournalChange& change : entry.changes) image[change.address] = change.after;
    return image;
  }

  testing::TempDir temp_;
  fs::path printer_ = temp_.path() / "printer";
};

TEST_P(KillRunTest, EveryKillIsFoundAtTheNextCommandAndSettledExactly) {
  const KilledOperation& operation = GetParam();
  Image before{};
  const auto times = SignalTimes(operation, kKills, 20261211, before);
  int found = 0;
  for (std::size_t kill = 0; kill < times.size(); ++kill) {
    const std::chrono::microseconds after = times[kill];
    SCOPED_TRACE("killed after " + std::to_string(after.count()) + " us");
    SetReplyDelay(kReplyDelayMs);
    RunSignalled(operation.args, SIGKILL, after);
    SetReplyDelay(0);
    const Image left = Eeprom();
    const auto next = Run({"counter", "read"});
    ASSERT_EQ(next.status, 0) << next.err;

    JournalStore store(DefaultJournalFile());
    const std::vector<JournalEntry> unsettled = store.Unsettled();
    if (unsettled.empty()) {
      const std::vector<JournalEntry> entries = store.Entries(std::nullopt);
      const bool as_meant = !entries.empty() && entries.back().state == "done" &&
                            left == After(before, entries.back());
      EXPECT_TRUE(left == before || as_meant) << "a cut write went unreported";
      PutBack(before);
      continue;
    }
    ++found;
    EXPECT_THAT(next.err, HasSubstr("was interrupted"));
    ASSERT_EQ(unsettled.size(), 1u);
    const bool back = kill % 2 == 0;
    const auto settled =
        Run({"journal", back ? "rollback" : "resume", std::to_string(unsettled.front().id)});
    ASSERT_EQ(settled.status, 0) << settled.err;
    EXPECT_EQ(Eeprom(), back ? before : After(before, unsettled.front()));
    EXPECT_TRUE(JournalStore(DefaultJournalFile()).Unsettled().empty());
    PutBack(before);
  }
  if (operation.spans_replies) {
    EXPECT_GT(found, 0) << "no kill landed inside a write";
  }
}

// Ctrl+C stops opalctl only where nothing is half-done: it ends with 130 or, when the operation
// was past its last wait, as the operation ends; either way nothing is left for the journal to
// report.
TEST_P(KillRunTest, CtrlCStopsOnlyWhereNothingIsHalfDone) {
  const KilledOperation& operation = GetParam();
  Image before{};
  int stopped = 0;
  for (const std::chrono::microseconds after :
       SignalTimes(operation, kKills / 2, 20261212, before)) {
    SCOPED_TRACE("interrupted after " + std::to_string(after.count()) + " us");
    SetReplyDelay(kReplyDelayMs);
    const auto heard = fs::file_size(printer_ / "capture.prn");
    const auto run = RunSignalled(operation.args, SIGINT, after);
    SetReplyDelay(0);
    if (run.status == 130) {
      ++stopped;
      EXPECT_THAT(run.err, HasSubstr("Stopped at Ctrl+C."));
    } else if (run.status == -1) {
      EXPECT_EQ(fs::file_size(printer_ / "capture.prn"), heard)
          << "only a program not yet started may end by the signal itself";
    } else {
      EXPECT_EQ(run.status, 0) << run.err;
    }
    const Image left = Eeprom();
    const auto next = Run({"counter", "read"});
    EXPECT_EQ(next.err, "");
    JournalStore store(DefaultJournalFile());
    EXPECT_TRUE(store.Unsettled().empty());
    const std::vector<JournalEntry> entries = store.Entries(std::nullopt);
    const bool as_meant = !entries.empty() && left == After(before, entries.back());
    EXPECT_TRUE(left == before || as_meant);
    PutBack(before);
  }
  EXPECT_GT(stopped, 0);
}

// A fixed wait of the printer's own (108 s for an ink charge) ends at Ctrl+C within its step.
TEST_F(KillRunTest, CtrlCEndsAFixedWait) {
  const auto start = std::chrono::steady_clock::now();
  const auto run = RunSignalled({"ink-charge", "--yes"}, SIGINT, 500ms);
  EXPECT_EQ(run.status, 130) << run.err;
  EXPECT_THAT(run.err, HasSubstr("Stopped at Ctrl+C."));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

INSTANTIATE_TEST_SUITE_P(
    Journal, KillRunTest,
    ::testing::Values(KilledOperation{"UsbId", {"usb-id", "write", "AB12345678"}, true},
                      KilledOperation{"HeadId", {"head-id", "write", "AZBCDEFJKLMNW"}, false},
                      KilledOperation{"DataReset", {"data-reset"}, false},
                      KilledOperation{
                          "BidBlockPrint", {"print", "pattern", "bid-6pl-color"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace opal
