#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <ctime>
#include <string>
#include <vector>

#include "service/printerhistory.h"
#include "service/printeridentity.h"
#include "service/servicejournal.h"
#include "tests/support/tempdir.h"
#include "tests/ui/support/adjustformtest.h"
#include "ui/forms/boot.h"
#include "ui/forms/servicehistory.h"

namespace opal::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

constexpr uint8_t kUsbIdStart = 0x4C;

std::string UsbIdOf(const vp::VirtualPrinter& printer) {
  const auto eeprom = printer.Eeprom();
  return {eeprom.begin() + kUsbIdStart, eeprom.begin() + kUsbIdStart + 10};
}

// The individual form on a virtual printer whose every write the journal records.
class FormJournal : public AdjustFormTest {
 protected:
  FormJournal() : AdjustFormTest(1, true) {}

  std::vector<JournalEntry> Entries() const { return world.journal_store->Entries(std::nullopt); }
  void WriteUsbId(const char* id) {
    TypeUsbId(id);
    Click("UsbIdInputOKBtn");
  }
  // Back on the start-up form, with the port let go as the quit form leaves it.
  void BackToStartUp() {
    world.session.port.Close();
    Form().hide();
    world.forms.FormBoot->show();
  }
};

TEST_F(FormJournal, EachFormWriteIsOneEntryUnderItsOperationsName) {
  const std::string old_id = UsbIdOf(world.printer);
  WriteUsbId("AB12345678");
  // The start-up form's identity write found the identity in place: it wrote and recorded nothing.
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 1U);
  const JournalEntry& entry = entries[0];
  EXPECT_EQ(entry.operation, "USB ID write");
  EXPECT_EQ(entry.state, "done");
  EXPECT_EQ(entry.printer.usb_id, old_id);
  EXPECT_EQ(entry.printer.model, "Corvane Opal 320");
  EXPECT_EQ(entry.changes.size(), 18U);
  EXPECT_EQ(entry.changes.front().before, old_id[0]);
  EXPECT_EQ(entry.changes.front().after, 'A');
}

// A printer that takes no write: the journal's first look at it is shown as it reads, and the
// failed write names what it did not leave as meant.
TEST_F(FormJournal, TheSnapshotReadIsShownAndAFailedWriteNamesWhatItLeft) {
  const std::string old_id = UsbIdOf(world.printer);
  world.printer.SetFaults({.ignore_writes = true});
  WriteUsbId("CD12345678");
  std::vector<std::string> shown;
  for (const QString& text : memo_history) shown.push_back(text.toStdString());
  EXPECT_THAT(
      shown, ::testing::Contains(HasSubstr("Keeping a copy of the printer's EEPROM for the service "
                                           "journal before its first write: 256 of 256 bytes")));
  const std::string memo = Memo().toPlainText().toStdString();
  EXPECT_THAT(memo, HasSubstr("Verify error at address 4C: written 43, read back "));
  EXPECT_THAT(memo, HasSubstr("Not in place as meant: USB ID (was " + old_id + "), USB ID stamp"));
}

TEST_F(FormJournal, AnotherPrinterOnTheSamePortIsLearntAnew) {
  BackToStartUp();
  // Another printer comes onto the bench, with its own USB ID.
  for (uint8_t k = 0; k < 10; ++k) world.printer.SetEepromByte(kUsbIdStart + k, 'Q');
  world.Connect();
  WriteUsbId("CD12345678");
  EXPECT_EQ(Entries().back().printer.usb_id, "QQQQQQQQQQ");
}

// The service history of the printer at the first USB port, as the start-up form opens it.
TEST_F(FormJournal, TheHistoryListsThisPrintersWritesAndUndoPutsTheOldBytesBack) {
  const std::string old_id = UsbIdOf(world.printer);
  WriteUsbId("AB12345678");
  BackToStartUp();
  ui::TFormServiceHistory history(world.context, *world.journal);
  history.ShowFor(std::nullopt);
  auto& undo = Find<QPushButton>(history, "UndoBtn");
  EXPECT_FALSE(undo.isEnabled()) << "with no port chosen there is no printer to undo on";

  history.ShowFor(PortId::Vlusb1);
  auto& list = Find<QTreeWidget>(history, "EntriesList");
  ASSERT_EQ(list.topLevelItemCount(), 1);
  EXPECT_EQ(list.topLevelItem(0)->text(4), "USB ID write");
  EXPECT_THAT(list.topLevelItem(0)->text(6).toStdString(), HasSubstr("4C: "));
  list.setCurrentItem(list.topLevelItem(0));
  world.dialogs.answers = {true};
  QTest::mouseClick(&undo, Qt::LeftButton);

  EXPECT_EQ(UsbIdOf(world.printer), old_id);
  ASSERT_EQ(world.dialogs.shown.size(), 2U);
  const std::string question = world.dialogs.shown[0].text.toStdString();
  EXPECT_THAT(question, HasSubstr("Undo entry #1 (USB ID write) on the printer at"));
  EXPECT_THAT(question, HasSubstr("USB ID AB12345678 → " + old_id + "\n"));
  EXPECT_THAT(question, HasSubstr("These bytes will be written and read back:\n4C: 41 -> "));
  EXPECT_EQ(world.dialogs.shown[1].text,
            "Entry #1 undone: 18 bytes written and read back (entry #2).");
  EXPECT_FALSE(world.session.port.IsOpen());
  EXPECT_EQ(list.topLevelItemCount(), 2);
  EXPECT_EQ(Entries().back().operation, "undo of #1");
}

// A new main board: the printer found by the serial on its label gets its values back, and its
// visit goes into a report.
TEST_F(FormJournal, FoundByItsSerialABlankBoardGetsItsValuesBackAndTheVisitAReport) {
  WriteUsbId("AB12345678");
  BackToStartUp();
  const auto before = world.printer.Eeprom();
  for (const uint8_t address : CalibrationAddresses()) world.printer.SetEepromByte(address, 0);
  ui::TFormServiceHistory history(world.context, *world.journal);
  history.ShowFor(PortId::Vlusb1);
  QTest::keyClicks(&Find<QLineEdit>(history, "FindEdit"), "AB12345678");
  QTest::mouseClick(&Find<QPushButton>(history, "FindBtn"), Qt::LeftButton);
  auto& list = Find<QTreeWidget>(history, "EntriesList");
  ASSERT_EQ(list.topLevelItemCount(), 1);
  EXPECT_EQ(list.topLevelItem(0)->text(4), "USB ID write");
  EXPECT_FALSE(list.topLevelItem(0)->text(2).isEmpty()) << "each entry names its bench";
  EXPECT_FALSE(Find<QPushButton>(history, "UndoBtn").isEnabled());

  world.dialogs.answers = {true};
  QTest::mouseClick(&Find<QPushButton>(history, "RestoreValuesBtn"), Qt::LeftButton);
  const auto after = world.printer.Eeprom();
  for (const uint8_t address : CalibrationAddresses()) EXPECT_EQ(after[address], before[address]);
  ASSERT_EQ(world.dialogs.shown.size(), 2U);
  const std::string question = world.dialogs.shown[0].text.toStdString();
  EXPECT_THAT(question, HasSubstr("This bench's journal knows these values from the snapshot"));
  EXPECT_THAT(question, HasSubstr("USB ID \0\0"));
  EXPECT_THAT(question, HasSubstr("AB12345678\n"));
  EXPECT_THAT(world.dialogs.shown[1].text.toStdString(), HasSubstr("read each back"));
  EXPECT_FALSE(world.session.port.IsOpen());
  EXPECT_EQ(list.topLevelItemCount(), 2);

  TempDir dir;
  world.dialogs.files = {QString::fromStdString((dir.path() / "visit.html").string())};
  QTest::mouseClick(&Find<QPushButton>(history, "ReportBtn"), Qt::LeftButton);
  const std::string page = ReadWholeFile(dir.path() / "visit.html");
  EXPECT_THAT(page, HasSubstr("USB ID write"));
  EXPECT_THAT(page, HasSubstr("restore of the printer's values"));
  EXPECT_THAT(page, HasSubstr("USB ID \\x00\\x00"));
  EXPECT_EQ(page.find('\0'), std::string::npos);
  EXPECT_THAT(world.dialogs.shown.back().text.toStdString(),
              HasSubstr("The report of 2 operations since"));
}

TEST_F(FormJournal, AnUndoTheStartUpFormCannotReachChangesNothing) {
  WriteUsbId("AB12345678");
  BackToStartUp();
  const auto before = world.printer.Eeprom();
  world.printer.SetFaults({.silent = true});
  ui::TFormServiceHistory history(world.context, *world.journal);
  history.ShowFor(PortId::Vlusb1);
  world.dialogs.answers = {true};
  QTest::mouseClick(&Find<QPushButton>(history, "UndoBtn"), Qt::LeftButton);
  world.printer.SetFaults({});
  EXPECT_EQ(world.printer.Eeprom(), before);
  EXPECT_EQ(world.dialogs.shown.back().kind, DialogKind::Error);
  EXPECT_FALSE(world.session.port.IsOpen());
  EXPECT_EQ(Entries().size(), 1U);
}

// A USB ID write cut off after two of its four bytes, found in the journal when the start-up
// form connects; the technician finishes it, puts the old bytes back, or leaves it.
enum class Afterwards { New, Old, Half };

struct Settling {
  int choice;
  Afterwards bytes;
  const char* told;
};

class InterruptedWorkAtConnect : public ::testing::Test {
 protected:
  InterruptedWorkAtConnect() {
    std::string old_id = UsbIdOf(world.printer);
    JournalEntry cut;
    cut.time = "2026-12-01 10:00:00";
    cut.user = "tech";
    cut.printer.port = VirtualPrinterPlace(world.printer.Directory());
    // Recorded as the journal knows a printer: by what it read of it before the write.
    IdentityBytes identity;
    const auto eeprom = world.printer.Eeprom();
    for (std::size_t address = 0; address < eeprom.size(); ++address) {
      identity[static_cast<uint8_t>(address)] = eeprom[address];
    }
    cut.printer.usb_id = old_id;
    cut.printer.head_id = opal::HeadIdOf(identity);
    cut.operation = "USB ID write";
    cut.state = "pending";
    for (uint8_t k = 0; k < 4; ++k) {
      cut.changes.push_back({uint8_t(kUsbIdStart + k), uint8_t(old_id[k]), 'Z'});
    }
    old_ = old_id.substr(0, 4);
    EXPECT_TRUE(world.journal_store->AddEntry(cut));
    world.printer.SetEepromByte(kUsbIdStart, 'Z');
    world.printer.SetEepromByte(kUsbIdStart + 1, 'Z');
  }
  std::string FirstFour() const { return UsbIdOf(world.printer).substr(0, 4); }
  std::string Expected(Afterwards bytes) const {
    switch (bytes) {
      case Afterwards::New:
        return "ZZZZ";
      case Afterwards::Old:
        return old_;
      case Afterwards::Half:
        return "ZZ" + old_.substr(2);
    }
    return {};
  }

  std::vector<JournalEntry> Entries() const { return world.journal_store->Entries(std::nullopt); }

  UiWorld world{"320", {}, "", true};
  std::string old_;
};

class InterruptedAtConnect : public InterruptedWorkAtConnect,
                             public ::testing::WithParamInterface<Settling> {};

TEST_P(InterruptedAtConnect, IsSettledAsChosenBeforeAnythingElseIsWritten) {
  world.dialogs.choices = {GetParam().choice};
  world.Connect();
  ASSERT_GE(world.dialogs.shown.size(), 1U);
  EXPECT_EQ(world.dialogs.shown[0].kind, DialogKind::Choose);
  EXPECT_THAT(world.dialogs.shown[0].text.toStdString(),
              ::testing::StartsWith("The USB ID write to this printer, on 2026-12-01 "
                                    "10:00:00, was interrupted: 2 of 4 bytes were written."));
  EXPECT_EQ(FirstFour(), Expected(GetParam().bytes));
  if (GetParam().told) {
    ASSERT_EQ(world.dialogs.shown.size(), 2U);
    EXPECT_EQ(world.dialogs.shown[1].text.toStdString(), GetParam().told);
  } else {
    EXPECT_EQ(world.dialogs.shown.size(), 1U);
  }
  EXPECT_TRUE(world.forms.FormAdjust->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    FormJournal, InterruptedAtConnect,
    ::testing::Values(Settling{0, Afterwards::New,
                               "Entry #1 finished: 4 bytes written and read back (entry #2)."},
                      Settling{1, Afterwards::Old,
                               "Entry #1 rolled back: 4 bytes written and read back (entry #2)."},
                      Settling{2, Afterwards::Half, nullptr}));

// A printer that does not keep what it is sent: the technician hears so and stays on the
// start-up form with the port let go; nothing else, not even the model identity, was written.
TEST_F(InterruptedWorkAtConnect, ASettlingThePrinterDoesNotKeepStaysOnTheStartUpForm) {
  world.printer.SetFaults({.ignore_writes = true});
  world.dialogs.choices = {1};
  world.Connect();
  world.printer.SetFaults({});
  EXPECT_EQ(FirstFour(), Expected(Afterwards::Half));
  ASSERT_EQ(world.dialogs.shown.size(), 2U);
  EXPECT_EQ(world.dialogs.shown[1].kind, DialogKind::Error);
  EXPECT_TRUE(world.forms.FormBoot->isVisible());
  EXPECT_FALSE(world.session.port.IsOpen());
  EXPECT_EQ(Entries().back().operation, "rollback of #1");
  EXPECT_EQ(Entries().back().state, "failed");
}

}  // namespace
}  // namespace opal::testing
