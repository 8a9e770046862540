#include "service/servicejournal.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <ctime>

#include "device/eeprom.h"
#include "service/printeridentity.h"
#include "service/shopconfig.h"

namespace opal {
namespace {

std::string UserName() {
  std::array<char, 1024> buffer{};
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
    return found->pw_name;
  }
  return std::to_string(getuid());
}

}  // namespace

ServiceJournal::ServiceJournal(JournalStore& store, ServiceSession& session, const Clock& clock,
                               JournalPrinter printer)
    : store_(store),
      session_(session),
      clock_(clock),
      given_(std::move(printer)),
      bench_(LoadShopConfig().bench),
      printer_(given_) {
  session_.command.SetWriteObserver(this);
  session_.operations.SetJournal(this);
}

ServiceJournal::~ServiceJournal() {
  // An operation still open here was cut short: its entry says what is not in place.
  Finish();
  session_.operations.SetJournal(nullptr);
  session_.command.SetWriteObserver(nullptr);
}

void ServiceJournal::StartOperation(std::string name) {
  Finish();
  operation_ = std::move(name);
  grouped_ = true;
  last_changes_.clear();
}

void ServiceJournal::EndOperation() {
  Finish();
  operation_ = kUnnamedOperation;
  grouped_ = false;
}

void ServiceJournal::Connected() {
  EndOperation();
  last_entry_.reset();
  left_behind_.clear();
  printer_ = given_;
  printer_known_ = false;
  printer_.port = PrinterKey(session_.port.Port());
}

std::string ServiceJournal::PrinterKey(PortId port) const {
  return given_.port.empty() ? std::string(PortEntryOf(port).name) : given_.port;
}

std::string ServiceJournal::Now() const {
  return JournalTime(clock_);
}

std::string JournalTime(const Clock& clock) {
  const std::tm local = clock.LocalTime();
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M:%S", &local);
  return text.data();
}

Result ServiceJournal::LearnPrinter() {
  if (printer_known_) return PORT_OK;
  if (const Result read = ReadIdentity(session_.command, identity_); read != PORT_OK) return read;
  if (printer_.port.empty()) printer_.port = PrinterKey(session_.port.Port());
  if (printer_.model.empty()) printer_.model = ModelName(session_.port.ModelCode);
  NameFromIdentity();
  printer_known_ = true;
  return PORT_OK;
}

void ServiceJournal::NameFromIdentity() {
  printer_.usb_id = UsbIdOf(identity_);
  printer_.head_id = HeadIdOf(identity_);
}

Result ServiceJournal::KeepSnapshot() {
  if (store_.HasSnapshot(printer_.usb_id, printer_.head_id)) return PORT_OK;
  EepromImage image{};
  const Result read = ReadEepromRange(session_.command, {0x00, kEepromSize - 1},
                                      [&](uint8_t address, uint8_t value) {
                                        image[address] = value;
                                        constexpr std::size_t kStep = 16;
                                        if (progress_ && (address + 1u) % kStep == 0)
                                          progress_(address + 1u, kEepromSize);
                                      });
  if (read != PORT_OK) return read;
  const JournalSnapshot snapshot{
      .id = 0, .time = Now(), .bench = bench_, .printer = printer_, .image = image};
  return store_.AddSnapshot(snapshot) ? PORT_OK : ERR_JOURNAL;
}

WriteClearance ServiceJournal::BeforeWrites(std::span<const EepromWrite> writes,
                                            WriteIntent intent) {
  if (!store_.Problem().empty()) return {ERR_JOURNAL};
  std::vector<JournalChange> merged = changes_;
  bool needed = false;
  for (const EepromWrite& write : writes) {
    const auto known = std::find_if(merged.begin(), merged.end(), [&](const JournalChange& c) {
      return c.address == write.address;
    });
    if (known != merged.end()) {
      // Within one operation the printer's byte may be anywhere between what the operation found
      // and what it tried: it is sent again.
      needed = true;
      if (intent == WriteIntent::Leave) known->after = write.value;
      continue;
    }
    if (const Result learnt = LearnPrinter(); learnt != PORT_OK) return {learnt};
    uint8_t before = 0;
    if (const Result read = session_.command.EepromReadByte(write.address, before);
        read != PORT_OK) {
      failure_ = session_.command.Message(read);
      return {read};
    }
    needed = needed || before != write.value;
    merged.push_back({write.address, before, intent == WriteIntent::Leave ? write.value : before});
  }
  if (!needed) return {PORT_OK, false};
  if (const Result kept = KeepSnapshot(); kept != PORT_OK) return {kept};
  if (entry_) {
    // A trial of values already recorded changes nothing in the entry: no commit for it.
    if (merged != changes_ && !store_.ReplaceChanges(*entry_, merged)) return {ERR_JOURNAL};
  } else {
    JournalEntry entry;
    entry.time = Now();
    entry.user = UserName();
    entry.bench = bench_;
    entry.printer = printer_;
    entry.operation = operation_;
    entry.state = kStatePending;
    entry.changes = merged;
    entry_ = store_.AddEntry(entry);
    if (!entry_) return {ERR_JOURNAL};
  }
  changes_ = std::move(merged);
  return {};
}

void ServiceJournal::Verified(const EepromWrite& held) {
  if (entry_) verified_[held.address] = held.value;
}

void ServiceJournal::AfterWrites(Result result) {
  if (result != PORT_OK) failure_ = session_.command.Message(result);
  if (!grouped_) Finish();
}

void ServiceJournal::Finish() {
  left_behind_.clear();
  if (entry_) {
    for (const JournalChange& change : changes_) {
      const auto held = verified_.find(change.address);
      if (held == verified_.end() || held->second != change.after) left_behind_.push_back(change);
    }
    // A new USB ID or head ID names the printer from now on, as far as it is in place.
    for (const auto& [address, value] : verified_) {
      if (const auto known = identity_.find(address); known != identity_.end())
        known->second = value;
    }
    NameFromIdentity();
    const bool done = left_behind_.empty();
    if (!done && failure_.empty()) failure_ = "Stopped before every byte was read back.";
    // The printer already holds what it holds: a state the database refuses to take leaves the
    // entry pending, which the next connection judges by the printer.
    if (!store_.SetState(*entry_, done ? kStateDone : kStateFailed, done ? "" : failure_) &&
        end_problem_report_) {
      end_problem_report_("The service journal could not record how entry #" +
                          std::to_string(*entry_) + " ended (" + store_.Problem() +
                          "); the next connection checks it against the printer.");
    }
    last_entry_ = entry_;
    last_changes_ = changes_;
  }
  entry_.reset();
  changes_.clear();
  verified_.clear();
  failure_.clear();
}

Result ServiceJournal::Recognise(const JournalEntry& entry, std::string& difference) {
  if (const Result learnt = LearnPrinter(); learnt != PORT_OK) return learnt;
  difference = DifferenceFrom(entry);
  return PORT_OK;
}

std::string ServiceJournal::DifferenceFrom(const JournalEntry& entry) const {
  std::string difference =
      IdentityDifference(entry.printer, IdentityBefore(identity_, entry.changes));
  if (difference.empty()) return difference;
  std::vector<JournalEntry> since = store_.Entries(std::nullopt);
  std::erase_if(since, [&](const JournalEntry& later) { return later.id < entry.id; });
  if (IsPrinterNow(CarriedForward(IdentityBytesOf(entry.printer), since))) difference.clear();
  return difference;
}

Result ServiceJournal::Recognise(const JournalSnapshot& snapshot, std::string& difference) {
  if (const Result learnt = LearnPrinter(); learnt != PORT_OK) return learnt;
  std::vector<JournalEntry> since = store_.Entries(std::nullopt);
  std::erase_if(since, [&](const JournalEntry& later) { return later.time < snapshot.time; });
  difference.clear();
  if (!IsPrinterNow(CarriedForward(IdentityBytesOf(snapshot.image), since)))
    difference = IdentityDifference(snapshot.printer, identity_);
  return PORT_OK;
}

bool ServiceJournal::IsPrinterNow(const IdentityBytes& identity) const {
  return IdentityDifference(
             {.port = "", .model = "", .usb_id = UsbIdOf(identity), .head_id = HeadIdOf(identity)},
             identity_)
      .empty();
}

Result ServiceJournal::FindInterrupted(std::vector<InterruptedWork>& found) {
  found.clear();
  std::vector<JournalEntry> unsettled = store_.Unsettled();
  // Only a journal with unsettled work has a reason to ask the printer who it is.
  if (unsettled.empty()) return PORT_OK;
  if (const Result learnt = LearnPrinter(); learnt != PORT_OK) return learnt;
  for (JournalEntry& entry : unsettled) {
    if (!DifferenceFrom(entry).empty()) continue;
    InterruptedWork work;
    for (const JournalChange& change : entry.changes) {
      uint8_t now = 0;
      if (const Result read = session_.command.EepromReadByte(change.address, now);
          read != PORT_OK) {
        found.clear();
        return read;
      }
      if (change.after == change.before) {
        work.trial += now != change.after;
        continue;
      }
      ++work.total;
      work.written += now == change.after;
    }
    if (!Interrupted(entry, work)) continue;
    work.entry = std::move(entry);
    found.push_back(std::move(work));
  }
  return PORT_OK;
}

bool ServiceJournal::Interrupted(const JournalEntry& entry, const InterruptedWork& work) {
  const bool untouched = work.written == 0 && work.trial == 0;
  const bool complete = work.written == work.total && work.trial == 0;
  if (entry.state != kStatePending) {
    // Work that failed before a byte moved left the printer as it was: settled by itself, so it
    // is not read again at every connection.
    if (untouched) store_.SetSettled(entry.id, entry.id);
    return !untouched;
  }
  // A pending entry is what a program that stopped mid-write, or could not record the end,
  // left: the printer tells how far it got.
  if (complete) {
    store_.SetState(entry.id, kStateDone, "");
    return false;
  }
  if (untouched) {
    store_.SetState(entry.id, kStateFailed, "Stopped before a byte reached the printer.");
    store_.SetSettled(entry.id, entry.id);
    return false;
  }
  return true;
}

Result ServiceJournal::Settle(const JournalEntry& entry, bool back, const std::string& name) {
  std::vector<EepromWrite> writes;
  for (const JournalChange& change : entry.changes) {
    writes.push_back({change.address, back ? change.before : change.after});
  }
  StartOperation(name);
  const Result result = session_.command.WriteEepromVerified(writes);
  if (result != PORT_OK) return result;
  // Nothing had to be written: the entry is settled by what the printer already holds.
  const int64_t by = entry_.value_or(entry.id);
  return store_.SetSettled(entry.id, by) ? PORT_OK : ERR_JOURNAL;
}

bool ServiceJournal::Leave(const JournalEntry& entry) {
  return store_.SetSettled(entry.id, kLeftAsItWas);
}

std::string VirtualPrinterPlace(const std::filesystem::path& dir) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(dir, error);
  return (error ? dir : absolute.lexically_normal()).string();
}

std::string UncheckedJournalLine(const std::string& failure) {
  return failure +
         "\nThe printer did not answer while the service journal checked it for "
         "interrupted work; nothing was written.";
}

std::string InterruptedLine(const InterruptedWork& work) {
  std::string line = "The " + work.entry.operation + " to this printer, on " + work.entry.time +
                     ", was interrupted:";
  if (work.total > 0) {
    line += " " + std::to_string(work.written) + " of " + std::to_string(work.total) +
            " bytes were written.";
  }
  if (work.trial > 0) {
    line += " " + std::to_string(work.trial) + (work.trial == 1 ? " byte is" : " bytes are") +
            " left at a trial setting.";
  }
  return line;
}

}  // namespace opal
