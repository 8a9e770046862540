#include "service/servicejournal.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <ctime>

#include "device/eeprom.h"

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

// A stored ID that is not letters and digits is kept as far as it reads, so the entry still
// names what was there.
std::string IdAsRead(Result result, std::string text) {
  if (result == ERR_USBID_STORED && !text.empty()) text.pop_back();
  return text.substr(0, kUsbIdLength);
}

}  // namespace

ServiceJournal::ServiceJournal(JournalStore& store, ServiceSession& session, const Clock& clock,
                               JournalPrinter printer)
    : store_(store),
      session_(session),
      clock_(clock),
      given_(std::move(printer)),
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
  const std::tm local = clock_.LocalTime();
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M:%S", &local);
  return text.data();
}

Result ServiceJournal::LearnPrinter() {
  if (printer_known_) return PORT_OK;
  std::string usb_id;
  const Result usb = session_.modules.usb_id.ReadUsbId(usb_id);
  if (usb != PORT_OK && usb != ERR_USBID_STORED) return usb;
  std::string head_id;
  const Result head = session_.modules.head_id.ReadHeadId(head_id);
  if (head != PORT_OK) return head;
  if (printer_.port.empty()) printer_.port = PrinterKey(session_.port.Port());
  if (printer_.model.empty()) printer_.model = ModelName(session_.port.ModelCode);
  printer_.usb_id = IdAsRead(usb, usb_id);
  printer_.head_id = std::string(HeadIdAsShown(head_id));
  printer_known_ = true;
  return PORT_OK;
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
  return store_.AddSnapshot(Now(), printer_, image) ? PORT_OK : ERR_JOURNAL;
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
    const bool done = left_behind_.empty();
    if (!done && failure_.empty()) failure_ = "Stopped before every byte was read back.";
    // The printer already holds what it holds: a state the database refuses to take leaves the
    // entry pending, which the next connection reports as unfinished, the safe side.
    store_.SetState(*entry_, done ? kStateDone : kStateFailed, done ? "" : failure_);
    last_entry_ = entry_;
  }
  entry_.reset();
  changes_.clear();
  verified_.clear();
  failure_.clear();
}

std::vector<InterruptedWork> ServiceJournal::FindInterrupted() {
  std::vector<InterruptedWork> found;
  for (JournalEntry& entry : store_.Unsettled(printer_.port)) {
    InterruptedWork work;
    for (const JournalChange& change : entry.changes) {
      uint8_t now = 0;
      if (session_.command.EepromReadByte(change.address, now) != PORT_OK) return {};
      if (change.after == change.before) {
        work.trial += now != change.after;
        continue;
      }
      ++work.total;
      work.written += now == change.after;
    }
    // Work that failed before a byte moved left the printer as it was.
    const bool untouched = work.written == 0 && work.trial == 0;
    if (entry.state == kStateFailed && untouched) continue;
    work.entry = std::move(entry);
    found.push_back(std::move(work));
  }
  return found;
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
