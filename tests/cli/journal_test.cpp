#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "device/datamanu.h"
#include "service/journalstore.h"
#include "tests/cli/inprocessopalctl.h"
#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using Image = std::array<uint8_t, vp::VirtualPrinter::kEepromSize>;

constexpr uint8_t kUsbIdStart = 0x4C;
constexpr std::size_t kUsbIdBytes = 10;
constexpr std::size_t kStampBytes = 8;
// A service write frame and a read frame as they reach the printer.
constexpr long kWriteFrame = 12;
constexpr long kReadFrame = 11;

// opalctl runs on virtual printers in a fresh folder, with the journal kept there too.
class JournalTest : public ::testing::Test {
 protected:
  JournalTest() {
    if (const char* old = std::getenv("XDG_DATA_HOME")) saved_ = old;
    ::setenv("XDG_DATA_HOME", (temp_.path() / "data").c_str(), 1);
  }
  ~JournalTest() override {
    if (saved_) {
      ::setenv("XDG_DATA_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }

  fs::path Printer(const std::string& name = "printer") const { return temp_.path() / name; }
  testing::InProcessRun Run(std::vector<std::string> args, const fs::path& printer) {
    args.insert(args.begin(), {"--virtual", printer.string()});
    return testing::RunOpalctlHere(args, clock_);
  }
  testing::InProcessRun Run(const std::vector<std::string>& args) { return Run(args, Printer()); }
  Image Eeprom() const { return vp::VirtualPrinter(Printer()).Eeprom(); }
  long BytesHeard() const { return static_cast<long>(fs::file_size(Printer() / "capture.prn")); }
  std::vector<JournalEntry> Entries() const {
    return JournalStore(DefaultJournalFile()).Entries(std::nullopt);
  }
  static std::string Ids(const Image& image) {
    return {image.begin() + kUsbIdStart, image.begin() + kUsbIdStart + kUsbIdBytes};
  }

  testing::TempDir temp_;
  testing::FakeClock clock_ = testing::ClockAtToday();
  std::optional<std::string> saved_;
};

// Every change the entry names went from its old value to its new one, and nothing else did.
void ExpectChangesBetween(const JournalEntry& entry, const Image& before, const Image& after) {
  Image expected = before;
  for (const JournalChange& change : entry.changes) {
    EXPECT_EQ(change.before, before[change.address]) << int(change.address);
    expected[change.address] = change.after;
  }
  EXPECT_EQ(expected, after);
}

TEST_F(JournalTest, EachWriteLeavesOneEntryWithItsOldAndNewBytesAndUndoPutsTheOldBack) {
  struct Step {
    std::vector<std::string> args;
    std::string operation;
    std::size_t changes;
  };
  const std::vector<Step> steps{
      {{"head-id", "write", "AZBCDEFJKLMNW"}, "head ID write", 0},
      {{"usb-id", "write", "AB12345678"}, "USB ID write", kUsbIdBytes + kStampBytes},
      {{"counter", "clear", "--yes"}, "counter clear", 2},
  };
  std::vector<Image> images{Eeprom()};
  for (const Step& step : steps) {
    const auto run = Run(step.args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    images.push_back(Eeprom());
  }
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), steps.size());
  for (std::size_t k = 0; k < steps.size(); ++k) {
    SCOPED_TRACE(steps[k].operation);
    EXPECT_EQ(entries[k].operation, steps[k].operation);
    EXPECT_EQ(entries[k].state, "done");
    if (steps[k].changes) {
      EXPECT_EQ(entries[k].changes.size(), steps[k].changes);
    }
    ExpectChangesBetween(entries[k], images[k], images[k + 1]);
  }

  const auto list = Run({"journal"});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_THAT(list.out, ContainsRegex("#2 .* USB ID write  done"));
  EXPECT_THAT(list.out, HasSubstr("4C: " + ByteToHexPair(images[1][kUsbIdStart]) + " -> 41"));
  EXPECT_THAT(list.out, HasSubstr("1A: " + ByteToHexPair(images[2][0x1A]) + " -> 00"));

  const auto undo = Run({"journal", "undo", "2"});
  ASSERT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(Ids(Eeprom()), Ids(images[1]));
  // The undo is journaled like any write, so it can be undone in turn.
  const auto redo = Run({"journal", "undo", std::to_string(Entries().back().id)});
  ASSERT_EQ(redo.status, 0) << redo.err;
  EXPECT_EQ(Eeprom(), images[3]);
}

class InterruptedUsbIdTest : public JournalTest, public ::testing::WithParamInterface<std::string> {
 protected:
  // A USB ID write that loses power after `written` of the ID's bytes; the printer comes back on
  // afterwards. Returns the printer as it was before that write.
  Image CutUsbIdWrite(long written) {
    // A printer is snapshot once under each USB ID it shows, so the measured write and the cut
    // one both start from the ID whose snapshot is already kept.
    EXPECT_EQ(Run({"usb-id", "write", "AAAAAAAAAA"}).status, 0);
    EXPECT_EQ(Run({"counter", "clear", "--yes"}).status, 0);
    const long start = BytesHeard();
    EXPECT_EQ(Run({"usb-id", "write", "AAAAAAAAAA"}).status, 0);
    // From the first ID byte on: the ID's writes and read-back, then the stamp's journal reads,
    // writes and read-back.
    const long after_first_write =
        (kUsbIdBytes + kStampBytes) * (kWriteFrame + kReadFrame) + kStampBytes * kReadFrame;
    const long before_writes = BytesHeard() - start - after_first_write;
    const Image before = Eeprom();
    vp::VirtualPrinter(Printer()).SetFaults(
        {.power_off_after_bytes = before_writes + written * kWriteFrame});
    EXPECT_EQ(Run({"usb-id", "write", "BBBBBBBBBB"}).status, 1);
    vp::VirtualPrinter(Printer()).SetFaults({});
    return before;
  }
};

TEST_P(InterruptedUsbIdTest, IsReportedAtTheNextCommandAndSettledEitherWay) {
  const Image before = CutUsbIdWrite(7);
  EXPECT_EQ(Ids(Eeprom()), "BBBBBBBAAA");
  const int64_t cut = Entries().back().id;

  const auto next = Run({"usb-id", "read"});
  EXPECT_THAT(next.err, ContainsRegex("^The last USB ID write to this printer, on "
                                      "[0-9-]+ [0-9:]+, was interrupted: 7 of 10 bytes were "
                                      "written\\."));

  const auto settled = Run({"journal", GetParam(), std::to_string(cut)});
  ASSERT_EQ(settled.status, 0) << settled.err;
  EXPECT_EQ(Ids(Eeprom()), GetParam() == "rollback" ? Ids(before) : "BBBBBBBBBB");
  EXPECT_EQ(Run({"usb-id", "read"}).err, "");
}

INSTANTIATE_TEST_SUITE_P(Journal, InterruptedUsbIdTest, ::testing::Values("rollback", "resume"));

TEST_F(JournalTest, AJournalThatCannotBeWrittenStopsTheWriteBeforeThePrinterSeesIt) {
  // A file where the journal's folder should be: no folder can be made there, even by root.
  std::ofstream(temp_.path() / "blocked") << "x";
  ::setenv("XDG_DATA_HOME", (temp_.path() / "blocked").c_str(), 1);
  const Image before = Eeprom();
  const auto run = Run({"usb-id", "write", "AB12345678"});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("The service journal cannot be written"));
  EXPECT_EQ(Eeprom(), before);
  EXPECT_EQ(Run({"usb-id", "read"}).status, 0);
}

TEST_F(JournalTest, ASnapshotPutsItsOwnPrinterBackAsItCameIn) {
  ASSERT_EQ(Run({"counter", "clear", "--yes"}, Printer("other")).status, 0);
  const Image as_it_came = Eeprom();
  ASSERT_EQ(Run({"usb-id", "write", "AB12345678"}).status, 0);
  ASSERT_EQ(Run({"counter", "clear", "--yes"}).status, 0);
  const auto list = Run({"journal", "snapshots"});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_THAT(list.out, ContainsRegex("^snapshot #1 .*other\\)\n"
                                      "snapshot #2  [0-9-]+ [0-9:]+  printer [A-Z0-9]+ \\(Corvane "
                                      "Opal 320, head ID [A-Z0-9 ]+, .*printer\\)\n"));

  const auto refused = Run({"journal", "restore-snapshot", "1"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("Snapshot #1 was taken of the printer at"));
  EXPECT_EQ(Run({"journal", "restore-snapshot", "9"}).err, "The journal has no snapshot #9.\n");

  const auto restored = Run({"journal", "restore-snapshot", "2"});
  ASSERT_EQ(restored.status, 0) << restored.err;
  EXPECT_EQ(Eeprom(), as_it_came);
  EXPECT_EQ(Entries().back().operation, "EEPROM restore");
  EXPECT_EQ(Entries().back().state, "done");
}

TEST_F(JournalTest, TwoProgramsJournalAtOnce) {
  constexpr int kWrites = 5;
  const auto clear_many = [this](const fs::path& printer) {
    testing::FakeClock clock = testing::ClockAtToday();
    for (int k = 0; k < kWrites; ++k) {
      std::vector<std::string> args{"--virtual", printer.string(), "counter", "clear", "--yes"};
      EXPECT_EQ(testing::RunOpalctlHere(args, clock).status, 0);
    }
  };
  std::thread first(clear_many, Printer("first"));
  std::thread second(clear_many, Printer("second"));
  first.join();
  second.join();
  const auto entries = Entries();
  EXPECT_EQ(entries.size(), 2u * kWrites);
  for (const JournalEntry& entry : entries) EXPECT_EQ(entry.state, "done");
}

}  // namespace
}  // namespace opal
