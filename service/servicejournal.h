#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/factory.h"
#include "link/timing.h"
#include "service/journaloperations.h"
#include "service/journalstore.h"
#include "service/printeridentity.h"
#include "service/servicesession.h"

namespace opal {

// Work a journal entry began on this printer that did not end done. Of the bytes it meant to
// change, `written` of `total` hold their new value now; `trial` more are left at a setting the
// operation only tried.
struct InterruptedWork {
  JournalEntry entry;
  std::size_t written = 0;
  std::size_t total = 0;
  std::size_t trial = 0;
};

// How far the snapshot of a printer has been read.
using SnapshotProgress = std::function<void(std::size_t read, std::size_t total)>;

// Keeps the journal of one session's printer. An operation is one entry that records its net
// change: every address it touches with the value the printer held before the operation began
// and the value the operation means to leave there (a setting it only tries keeps the old value
// as its new one). The entry is committed, pending, before a byte of a group of writes goes out,
// and ends done only when every byte read back as the operation meant; anything else ends it
// failed, with what was not in place. An operation that would change nothing sends and records
// nothing. A printer's first write keeps its whole EEPROM first, once per printer. A journal that
// cannot be written refuses the write.
class ServiceJournal final : public EepromWriteObserver, public JournalLog {
 public:
  ServiceJournal(JournalStore& store, ServiceSession& session, const Clock& clock,
                 JournalPrinter printer);
  ~ServiceJournal() override;
  ServiceJournal(const ServiceJournal&) = delete;
  ServiceJournal& operator=(const ServiceJournal&) = delete;

  // The writes from here until EndOperation are one entry under this name.
  void StartOperation(std::string name) override;
  // Ends the operation's entry; writes after this are each an entry of their own again.
  void EndOperation() override;
  // The session reached a printer, perhaps another one than before: what the journal knows of
  // the printer is learnt anew from it.
  void Connected();
  // How the journal names the printer at `port`: the virtual printer's place, or the port.
  std::string PrinterKey(PortId port) const;
  // Whether an operation's entry is open: its writes are under way.
  bool Writing() const { return entry_.has_value(); }
  // The entry of the operation under way, else of the last one that ended.
  std::optional<int64_t> CurrentEntry() const override { return entry_ ? entry_ : last_entry_; }
  // What the last operation that ended failed left other than it meant: before is what was there
  // before it began, after what it meant to leave.
  const std::vector<JournalChange>& LeftBehind() const override { return left_behind_; }
  void SetSnapshotProgress(SnapshotProgress progress) { progress_ = std::move(progress); }
  // Told at once when the end of a write cannot be recorded: the printer holds what it holds,
  // and the entry stays pending until the next connection judges it by the printer.
  void SetEndProblemReport(std::function<void(const std::string&)> report) {
    end_problem_report_ = std::move(report);
  }

  WriteClearance BeforeWrites(std::span<const EepromWrite> writes, WriteIntent intent) override;
  void Verified(const EepromWrite& held) override;
  void AfterWrites(Result result) override;

  // Every entry of this printer, known by its identity as read, that did not end done, that
  // nothing settled or left, and that left the printer other than it found it, newest first. A
  // pending entry the printer shows finished, or never begun, is marked so and not reported. A
  // read that fails is the result: no entry may go unreported because the printer was slow.
  Result FindInterrupted(std::vector<InterruptedWork>& found);
  // Whether the entry, or the snapshot, was made on the printer now connected, known by its
  // identity as read and carried forward through the journal's own ID writes since: `difference`
  // says in words what tells them apart, and is empty when they are one.
  Result Recognise(const JournalEntry& entry, std::string& difference);
  Result Recognise(const JournalSnapshot& snapshot, std::string& difference);
  // What the last operation that ended meant to change, as its entry records it.
  const std::vector<JournalChange>& Changes() const override { return last_changes_; }
  // Writes back the entry's old values (`back`) or its new ones, verified and journaled as an
  // operation of its own, and marks the entry settled by it; an entry whose values are all in
  // place already is marked settled by itself. Later writes join that operation until
  // EndOperation.
  Result Settle(const JournalEntry& entry, bool back, const std::string& name);
  // The technician chose to leave the entry as it is: it is no longer reported.
  bool Leave(const JournalEntry& entry);

  JournalStore& Store() { return store_; }

 private:
  Result LearnPrinter();
  Result KeepSnapshot();
  void NameFromIdentity();
  bool IsPrinterNow(const IdentityBytes& identity) const;
  // What tells the entry's printer, carried forward through the journal's later ID writes, from
  // the one connected; empty when they are one.
  std::string DifferenceFrom(const JournalEntry& entry) const;
  bool Interrupted(const JournalEntry& entry, const InterruptedWork& work);
  void Finish();
  std::string Now() const;

  JournalStore& store_;
  ServiceSession& session_;
  const Clock& clock_;
  // The printer as given: a virtual printer's place, or nothing for a port of this machine.
  const JournalPrinter given_;
  // The bench's name, as the shop knows it.
  const std::string bench_;
  JournalPrinter printer_;
  bool printer_known_ = false;
  std::string operation_{kUnnamedOperation};
  bool grouped_ = false;
  std::optional<int64_t> entry_;
  std::vector<JournalChange> changes_;
  std::map<uint8_t, uint8_t> verified_;
  std::string failure_;
  std::optional<int64_t> last_entry_;
  std::vector<JournalChange> left_behind_;
  std::vector<JournalChange> last_changes_;
  std::function<void(const std::string&)> end_problem_report_;
  IdentityBytes identity_;
  SnapshotProgress progress_;
};

// The local time as the journal writes it: "2026-03-14 09:26:53".
std::string JournalTime(const Clock& clock);

// How the journal names a virtual printer: its folder, absolute. A real printer is named by its
// port, which the journal takes from the session when the port is left empty.
std::string VirtualPrinterPlace(const std::filesystem::path& dir);

// Why nothing may be written when the journal could not check the printer for interrupted work.
std::string UncheckedJournalLine(const std::string& failure);

// "The USB ID write to this printer, on DATE, was interrupted: 7 of 18 bytes were written."
std::string InterruptedLine(const InterruptedWork& work);

}  // namespace opal
