#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "device/datamanu.h"
#include "device/usbid.h"
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
  // A journal as another version of the program left it.
  static void WriteJournal(const std::string& sql) {
    fs::create_directories(DefaultJournalFile().parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(DefaultJournalFile().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
  }
  static int64_t JournalVersion() {
    sqlite3* db = nullptr;
    sqlite3_open_v2(DefaultJournalFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* pragma = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &pragma, nullptr);
    const int64_t version =
        sqlite3_step(pragma) == SQLITE_ROW ? sqlite3_column_int64(pragma, 0) : -1;
    sqlite3_finalize(pragma);
    sqlite3_close(db);
    return version;
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

// Where a USB ID write loses power: after this many of its 18 write frames, the ID's ten and
// then the stamp's eight. The printer comes back on afterwards.
struct UsbIdCut {
  std::string settle;
  long written;
};

void PrintTo(const UsbIdCut& cut, std::ostream* out) {
  *out << cut.settle << " after " << cut.written;
}

class InterruptedUsbIdTest : public JournalTest, public ::testing::WithParamInterface<UsbIdCut> {
 protected:
  // Each write is stamped a minute later than the one before, so every stamp byte that tells the
  // minute moves too.
  void NextMinute() {
    std::tm local = clock_.LocalTime();
    local.tm_min = (local.tm_min + 1) % 60;
    clock_.SetLocalTime(local);
  }
  std::string Stored() const {
    const Image image = Eeprom();
    return {image.begin() + kUsbIdStart, image.begin() + kUsbIdStart + kUsbIdBytes + kStampBytes};
  }
  // Returns the printer's 18 bytes as they were before the cut write.
  std::string CutUsbIdWrite(long written) {
    EXPECT_EQ(Run({"usb-id", "write", "AAAAAAAAAA"}).status, 0);
    NextMinute();
    const long start = BytesHeard();
    EXPECT_EQ(Run({"usb-id", "write", "CCCCCCCCCC"}).status, 0);
    // Every byte's before value is journaled ahead of the first write frame; from there on come
    // the 18 writes and their read-backs.
    const long from_first_write = (kUsbIdBytes + kStampBytes) * (kWriteFrame + kReadFrame);
    const long before_writes = BytesHeard() - start - from_first_write;
    const std::string before = Stored();
    NextMinute();
    // Past the ID, its ten read-backs went out before the stamp's writes.
    const long read_backs = written > static_cast<long>(kUsbIdBytes) ? kUsbIdBytes : 0;
    vp::VirtualPrinter(Printer()).SetFaults(
        {.power_off_after_bytes = before_writes + written * kWriteFrame + read_backs * kReadFrame});
    EXPECT_EQ(Run({"usb-id", "write", "BBBBBBBBBB"}).status, 1);
    vp::VirtualPrinter(Printer()).SetFaults({});
    return before;
  }
};

TEST_P(InterruptedUsbIdTest, IsReportedAtTheNextCommandAndSettledWhole) {
  const UsbIdCut& cut = GetParam();
  const std::string before = CutUsbIdWrite(cut.written);
  const std::string meant = "BBBBBBBBBB" + *UsbIdStamp(clock_.LocalTime());
  const std::string left = Stored();
  EXPECT_EQ(left.substr(0, cut.written), meant.substr(0, cut.written));
  EXPECT_EQ(left.substr(cut.written), before.substr(cut.written));
  const JournalEntry entry = Entries().back();
  EXPECT_EQ(entry.operation, "USB ID write");
  EXPECT_EQ(entry.state, "failed");
  EXPECT_EQ(entry.changes.size(), kUsbIdBytes + kStampBytes);

  const auto next = Run({"usb-id", "read"});
  EXPECT_THAT(next.err, ContainsRegex("^The USB ID write to this printer, on [0-9-]+ [0-9:]+, "
                                      "was interrupted: [0-9]+ of [0-9]+ bytes were written\\."));

  const auto settled = Run({"journal", cut.settle, std::to_string(entry.id)});
  ASSERT_EQ(settled.status, 0) << settled.err;
  EXPECT_EQ(Stored(), cut.settle == "rollback" ? before : meant);
  EXPECT_EQ(Run({"usb-id", "read"}).err, "");
}

INSTANTIATE_TEST_SUITE_P(Journal, InterruptedUsbIdTest,
                         ::testing::Values(UsbIdCut{"rollback", 7}, UsbIdCut{"resume", 7},
                                           UsbIdCut{"rollback", 10}, UsbIdCut{"resume", 13}));

TEST_F(JournalTest, APrintThatPutsItsTrialsBackHasNothingToUndoAndAMatchingIdentityNoEntry) {
  const Image before = Eeprom();
  ASSERT_EQ(Run({"identity", "320"}).status, 0);
  EXPECT_TRUE(Entries().empty()) << "the identity was in place already";

  ASSERT_EQ(Run({"print", "bid"}).status, 0);
  ASSERT_EQ(Entries().size(), 1u);
  const JournalEntry print = Entries().front();
  EXPECT_EQ(print.operation, "Bi-D check print");
  EXPECT_EQ(print.state, "done");
  EXPECT_EQ(print.changes.size(), 6u) << "each Bi-D value once";
  for (const JournalChange& change : print.changes) EXPECT_EQ(change.before, change.after);

  const auto undo = Run({"journal", "undo", std::to_string(print.id)});
  ASSERT_EQ(undo.status, 0) << undo.err;
  EXPECT_THAT(undo.out, HasSubstr("there is nothing to undo"));
  EXPECT_EQ(Eeprom(), before);
  EXPECT_EQ(Entries().size(), 1u);
}

// A Bi-D print that loses power part of the way through its stream: what it left is found at the
// next command, and rollback puts back every value as it was before the print.
class CutBidPrintTest : public JournalTest, public ::testing::WithParamInterface<int> {};

TEST_P(CutBidPrintTest, IsFoundAtTheNextCommandAndRolledBackWhole) {
  const fs::path reference = Printer("reference");
  ASSERT_EQ(Run({"print", "bid"}, reference).status, 0);
  const long whole = static_cast<long>(fs::file_size(reference / "capture.prn"));

  ASSERT_EQ(Run({"counter", "clear", "--yes"}).status, 0);  // the snapshot is kept by now
  const Image before = Eeprom();
  const long start = BytesHeard();
  vp::VirtualPrinter(Printer()).SetFaults({.power_off_after_bytes = whole * GetParam() / 100});
  const auto cut = Run({"print", "bid"});
  ASSERT_NE(cut.status, 0);
  vp::VirtualPrinter(Printer()).SetFaults({});
  ASSERT_GT(BytesHeard(), start);

  const bool moved = Eeprom() != before;
  const JournalEntry entry = Entries().back();
  if (moved) {
    EXPECT_EQ(entry.operation, "Bi-D check print");
    EXPECT_EQ(entry.state, "failed");
    EXPECT_THAT(cut.err, HasSubstr("Not in place as meant: Bi-D "));
    EXPECT_THAT(cut.err, HasSubstr("\"opalctl journal rollback " + std::to_string(entry.id)));
  }
  const auto next = Run({"bid", "read"});
  ASSERT_EQ(next.status, 0) << next.err;
  if (!moved) {
    EXPECT_EQ(next.err, "") << "a print cut where every value was back in place left nothing";
    return;
  }
  EXPECT_THAT(next.err, ContainsRegex("^The Bi-D check print to this printer, on [0-9-]+ [0-9:]+, "
                                      "was interrupted: [1-6] bytes? (is|are) left at a trial "
                                      "setting\\."));
  const auto rollback = Run({"journal", "rollback", std::to_string(entry.id)});
  ASSERT_EQ(rollback.status, 0) << rollback.err;
  EXPECT_EQ(Eeprom(), before);
  EXPECT_EQ(Run({"bid", "read"}).err, "");
}

// Percent of the whole print's stream after which the power goes.
INSTANTIATE_TEST_SUITE_P(Journal, CutBidPrintTest, ::testing::Values(3, 20, 37, 50, 66, 83, 99));

// A data reset (counter, then ink flags) that loses power after this many of its frames: the
// counter's two writes and read-backs, then the flags'.
class CutDataResetTest : public JournalTest, public ::testing::WithParamInterface<long> {
 protected:
  static constexpr std::array<std::pair<uint8_t, uint8_t>, 4> kLivedIn{
      {{0x1A, 0x5B}, {0x1B, 0xCC}, {0x01, 0x42}, {0x26, 0x00}}};
  void LiveIn() const {
    for (const auto& [address, value] : kLivedIn)
      vp::VirtualPrinter(Printer()).SetEepromByte(address, value);
  }
  // The bytes a data reset sends before its first write frame, its journal's reads.
  long BeforeWrites() {
    EXPECT_EQ(Run({"counter", "clear", "--yes"}).status, 0);  // the snapshot is kept by now
    LiveIn();
    const long start = BytesHeard();
    EXPECT_EQ(Run({"data-reset"}).status, 0);
    LiveIn();
    return BytesHeard() - start - 4 * (kWriteFrame + kReadFrame);
  }
};

TEST_P(CutDataResetTest, IsFoundFromAnyPathToThePrinterAndSettledWhole) {
  const long before_writes = BeforeWrites();
  const Image before = Eeprom();
  vp::VirtualPrinter(Printer()).SetFaults({.power_off_after_bytes = before_writes + GetParam()});
  ASSERT_EQ(Run({"data-reset"}).status, 1);
  vp::VirtualPrinter(Printer()).SetFaults({});
  const Image cut = Eeprom();
  ASSERT_NE(cut, before);

  // The same printer through a linked folder is the same printer.
  const fs::path link = temp_.path() / "linked";
  fs::create_directory_symlink(Printer(), link);
  const auto next = Run({"counter", "read"}, link);
  EXPECT_THAT(next.err, ContainsRegex("^The data reset to this printer, on [0-9-]+ [0-9:]+, was "
                                      "interrupted: [1-3] of 4 bytes were written\\."));
  const int64_t id = Entries().back().id;
  for (const std::string settle : {"resume", "rollback"}) {
    ASSERT_EQ(Run({"journal", settle, std::to_string(id)}).status, 0) << settle;
    Image expected = before;
    if (settle == "resume") {
      for (const auto& [address, value] :
           {std::pair<uint8_t, uint8_t>{0x1A, 0x00}, {0x1B, 0x00}, {0x01, 0x00}, {0x26, 0x05}})
        expected[address] = value;
    }
    EXPECT_EQ(Eeprom(), expected) << settle;
    EXPECT_EQ(Run({"counter", "read"}).err, "");
  }
}

// After one counter write frame, after the counter's writes, between the two parts, and after
// the first ink flag's write.
INSTANTIATE_TEST_SUITE_P(Journal, CutDataResetTest,
                         ::testing::Values(kWriteFrame, 2 * kWriteFrame,
                                           2 * (kWriteFrame + kReadFrame),
                                           2 * (kWriteFrame + kReadFrame) + kWriteFrame));

TEST_F(JournalTest, AnotherPrinterAtTheSamePlaceIsToldApartFromItsPredecessor) {
  ASSERT_EQ(Run({"counter", "clear", "--yes"}).status, 0);
  ASSERT_EQ(Run({"bid", "write", "ms-black", "5"}).status, 0);
  fs::remove_all(Printer());
  { vp::VirtualPrinter(Printer(), "320", "new-main-board", true); }
  const Image fresh = Eeprom();

  const auto restore = Run({"journal", "restore-snapshot", "1"});
  EXPECT_EQ(restore.status, 1);
  EXPECT_THAT(restore.err, HasSubstr("Snapshot #1 was taken of another printer: USB ID \""));
  const auto undo = Run({"journal", "undo", std::to_string(Entries().back().id)});
  EXPECT_EQ(undo.status, 1);
  EXPECT_THAT(undo.err, HasSubstr("was made on another printer: USB ID \""));
  EXPECT_EQ(Eeprom(), fresh);
}

// A pending entry is what a program left that stopped mid-write or could not record the end:
// the printer says whether it finished or never began, and neither is an alarm.
TEST_F(JournalTest, APendingEntryIsJudgedByWhatThePrinterHolds) {
  ASSERT_EQ(Run({"counter", "clear", "--yes"}).status, 0);
  const JournalEntry done = Entries().back();
  const Image now = Eeprom();
  JournalStore store(DefaultJournalFile());
  JournalEntry finished = done;
  finished.state = "pending";
  finished.changes = {{0x1A, 0x33, now[0x1A]}};
  JournalEntry never_began = done;
  never_began.state = "pending";
  never_began.changes = {{0x1A, now[0x1A], 0x44}};
  const auto finished_id = store.AddEntry(finished);
  const auto never_id = store.AddEntry(never_began);
  ASSERT_TRUE(finished_id && never_id);

  EXPECT_EQ(Run({"counter", "read"}).err, "");
  EXPECT_EQ(store.Entry(*finished_id)->state, "done");
  EXPECT_EQ(store.Entry(*never_id)->state, "failed");
  EXPECT_EQ(Eeprom(), now);
}

// A printer slower than the reply limit while unfinished work waits at connect: the check's read
// fails the command, and no reply owed to one request is taken for another's.
TEST_F(JournalTest, ASlowPrinterAtConnectStopsTheCommandWithNothingTakenForAnAnswer) {
  ASSERT_EQ(Run({"counter", "clear", "--yes"}).status, 0);
  JournalEntry unfinished = Entries().back();
  unfinished.state = "pending";
  unfinished.changes = {{0x1A, 0x33, 0x44}};
  ASSERT_TRUE(JournalStore(DefaultJournalFile()).AddEntry(unfinished));
  for (const int delay_s : {21, 25, 40, 60}) {
    SCOPED_TRACE(delay_s);
    vp::VirtualPrinter(Printer()).SetFaults({.reply_delay_ms = delay_s * 1000});
    const auto read = Run({"eeprom", "read", "01", "01"});
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.out, "");
    EXPECT_THAT(read.err, HasSubstr("while the service journal checked it for interrupted work"));
  }
}

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

// The journal as the versions before it carried a version number left it, with one entry.
constexpr const char* kUnversionedJournal = R"(
CREATE TABLE entries(
  id INTEGER PRIMARY KEY, time TEXT, user TEXT, port TEXT, model TEXT, usb_id TEXT,
  head_id TEXT, operation TEXT, state TEXT, failure TEXT, settled_by INTEGER);
CREATE TABLE changes(
  entry INTEGER REFERENCES entries(id), address INTEGER, before INTEGER, after INTEGER);
CREATE TABLE snapshots(
  id INTEGER PRIMARY KEY, time TEXT, port TEXT, model TEXT, usb_id TEXT, head_id TEXT,
  image BLOB);
INSERT INTO entries VALUES(1, '2023-04-05 10:11', 'tech', 'bench-2', 'Corvane Opal 310',
  'QZ00000001', 'HDHDHDHDHDHDH', 'counter clear', 'done', '', NULL);
INSERT INTO changes VALUES(1, 26, 128, 0);
)";

TEST_F(JournalTest, AnUnversionedJournalKeepsItsEntriesAndTakesNewOnes) {
  WriteJournal(kUnversionedJournal);
  const auto write = Run({"counter", "clear", "--yes"});
  ASSERT_EQ(write.status, 0) << write.err;
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].printer.port, "bench-2");
  EXPECT_EQ(entries[0].changes, (std::vector<JournalChange>{{0x1A, 0x80, 0x00}}));
  EXPECT_EQ(entries[1].operation, "counter clear");
  EXPECT_EQ(entries[1].state, "done");
  EXPECT_GT(JournalVersion(), 0) << "the journal says now which version its tables are";
}

// A newer version added a column and a table this one does not know.
TEST_F(JournalTest, AJournalOfANewerVersionIsListedButNeverWritten) {
  WriteJournal(std::string(kUnversionedJournal) +
               "ALTER TABLE entries ADD COLUMN bench TEXT;"
               "CREATE TABLE forwarded(entry INTEGER);"
               "PRAGMA user_version = 9;");
  const auto journal_before = testing::ReadWholeFile(DefaultJournalFile());
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"journal"}, {"journal", "show", "1"}}) {
    const auto read = Run(args);
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_THAT(read.out, HasSubstr("#1  2023-04-05 10:11  counter clear"));
  }
  const Image before = Eeprom();
  const auto write = Run({"counter", "clear", "--yes"});
  EXPECT_EQ(write.status, 1);
  EXPECT_THAT(write.err, HasSubstr(DefaultJournalFile().string() +
                                   " was written by a newer version of Opal Service"));
  EXPECT_EQ(Eeprom(), before);
  EXPECT_EQ(testing::ReadWholeFile(DefaultJournalFile()), journal_before);
}

TEST_F(JournalTest, AJournalFileTheUserMayOnlyReadIsStillListed) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes any file";
  ASSERT_EQ(Run({"counter", "clear", "--yes"}).status, 0);
  fs::permissions(DefaultJournalFile(), fs::perms::owner_read | fs::perms::group_read);
  const auto list = Run({"journal"});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_THAT(list.out, HasSubstr("counter clear  done"));
}

// The journal's folder or one of its files planted to lead elsewhere, where a journal is kept.
struct PlantedJournalCase {
  const char* name;
  const char* entry;  // under the data home
  const char* refusal;
  std::function<void(const fs::path& folder, const fs::path& elsewhere)> plant;
};

class PlantedJournalTest : public JournalTest,
                           public ::testing::WithParamInterface<PlantedJournalCase> {};

TEST_P(PlantedJournalTest, IsRefusedByNameAndWhatItLeadsToIsLeftAlone) {
  const fs::path elsewhere = temp_.path() / "elsewhere";
  { JournalStore kept(elsewhere / "journal.sqlite"); }
  const fs::path folder = DefaultJournalFile().parent_path();
  fs::create_directories(folder.parent_path());
  GetParam().plant(folder, elsewhere);
  const std::string kept = testing::ReadWholeFile(elsewhere / "journal.sqlite");
  const std::string refusal =
      (folder.parent_path() / GetParam().entry).string() + " " + GetParam().refusal;

  const auto list = Run({"journal"});
  EXPECT_EQ(list.status, 1);
  EXPECT_THAT(list.err, HasSubstr(refusal));
  const Image before = Eeprom();
  const auto write = Run({"counter", "clear", "--yes"});
  EXPECT_EQ(write.status, 1);
  EXPECT_THAT(write.err, HasSubstr(refusal));
  EXPECT_EQ(Eeprom(), before);
  EXPECT_EQ(testing::ReadWholeFile(elsewhere / "journal.sqlite"), kept);
}

INSTANTIATE_TEST_SUITE_P(
    Journal, PlantedJournalTest,
    ::testing::Values(PlantedJournalCase{"FolderLink", "opal-service", "is a link",
                                         [](const fs::path& folder, const fs::path& elsewhere) {
                                           fs::create_directory_symlink(elsewhere, folder);
                                         }},
                      PlantedJournalCase{"FileLink", "opal-service/journal.sqlite", "is a link",
                                         [](const fs::path& folder, const fs::path& elsewhere) {
                                           fs::create_directory(folder);
                                           fs::create_symlink(elsewhere / "journal.sqlite",
                                                              folder / "journal.sqlite");
                                         }},
                      PlantedJournalCase{"LogLink", "opal-service/journal.sqlite-wal", "is a link",
                                         [](const fs::path& folder, const fs::path& elsewhere) {
                                           fs::create_directory(folder);
                                           fs::create_symlink(elsewhere / "journal.sqlite",
                                                              folder / "journal.sqlite-wal");
                                         }},
                      PlantedJournalCase{"FileAFolder", "opal-service/journal.sqlite",
                                         "is not a regular file",
                                         [](const fs::path& folder, const fs::path&) {
                                           fs::create_directories(folder / "journal.sqlite");
                                         }}),
    [](const auto& info) { return std::string(info.param.name); });

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
  EXPECT_THAT(refused.err, ContainsRegex("^Snapshot #1 was taken of another printer: USB ID "
                                         "\"[A-Z0-9]+\" then, \"[A-Z0-9]+\" now\\.\n$"));
  EXPECT_EQ(Run({"journal", "restore-snapshot", "9"}).err, "The journal has no snapshot #9.\n");

  const auto restored = Run({"journal", "restore-snapshot", "2"});
  ASSERT_EQ(restored.status, 0) << restored.err;
  EXPECT_EQ(Eeprom(), as_it_came);
  EXPECT_EQ(Entries().back().operation, "EEPROM restore");
  EXPECT_EQ(Entries().back().state, "done");
}

TEST_F(JournalTest, AnythingButAnEntryNumberIsAUsageError) {
  for (const char* command : {"show", "undo", "rollback", "resume", "restore-snapshot"}) {
    for (const char* number : {"", "0", "-3", "0x10", "1 ", "9223372036854775808"}) {
      SCOPED_TRACE(std::string(command) + " \"" + number + "\"");
      const auto run = Run({"journal", command, number});
      EXPECT_EQ(run.status, 2);
      EXPECT_THAT(run.err, HasSubstr("is no journal number"));
    }
  }
  EXPECT_EQ(Run({"journal", "show", "010"}).err, "The journal has no entry #10.\n");
}

TEST_F(JournalTest, TwoProgramsJournalAtOnce) {
  constexpr int kWrites = 5;
  const auto clear_many = [this](const fs::path& printer) {
    testing::FakeClock clock = testing::ClockAtToday();
    for (int k = 0; k < kWrites; ++k) {
      std::vector<std::string> args{"--virtual", printer.string(),
                                    "eeprom",    "write",
                                    "10",        ByteToHexPair(static_cast<uint8_t>(0x80 + k))};
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
