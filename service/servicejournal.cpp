#include "service/servicejournal.h"

#include <pwd.h>
#include <unistd.h>

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
}

ServiceJournal::~ServiceJournal() {
  session_.command.SetWriteObserver(nullptr);
}

void ServiceJournal::StartOperation(std::string name) {
  operation_ = std::move(name);
  grouped_ = true;
  entry_.reset();
}

void ServiceJournal::EndOperation() {
  operation_ = kUnnamedOperation;
  grouped_ = false;
  entry_.reset();
}

void ServiceJournal::Connected() {
  EndOperation();
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
  if (store_.HasSnapshot(printer_.port, printer_.usb_id)) return PORT_OK;
  EepromImage image{};
  if (const Result read = BackupEeprom(session_.command, image); read != PORT_OK) return read;
  return store_.AddSnapshot(Now(), printer_, image) ? PORT_OK : ERR_JOURNAL;
}

Result ServiceJournal::BeforeWrites(std::span<const EepromWrite> writes) {
  if (!store_.Problem().empty()) return ERR_JOURNAL;
  if (const Result learnt = LearnPrinter(); learnt != PORT_OK) return learnt;
  if (const Result kept = KeepSnapshot(); kept != PORT_OK) return kept;
  std::vector<JournalChange> changes;
  for (const EepromWrite& write : writes) {
    uint8_t before = 0;
    const Result read = session_.command.EepromReadByte(write.address, before);
    if (read != PORT_OK) return read;
    changes.push_back({write.address, before, write.value});
  }
  if (entry_) return store_.AddChanges(*entry_, changes) ? PORT_OK : ERR_JOURNAL;
  JournalEntry entry;
  entry.time = Now();
  entry.user = UserName();
  entry.printer = printer_;
  entry.operation = operation_;
  entry.state = kStatePending;
  entry.changes = std::move(changes);
  entry_ = store_.AddEntry(entry);
  return entry_ ? PORT_OK : ERR_JOURNAL;
}

void ServiceJournal::AfterWrites(Result result) {
  if (!entry_) return;
  const bool done = result == PORT_OK;
  // The printer already holds what it holds: a state the database refuses to take leaves the
  // entry pending, which the next connection reports as unfinished, the safe side.
  if (!store_.SetState(*entry_, done ? kStateDone : kStateFailed,
                       done ? "" : session_.command.Message(result))) {
    return;
  }
  if (!grouped_) entry_.reset();
}

std::optional<InterruptedWork> ServiceJournal::FindInterrupted() {
  auto entry = store_.Unfinished(printer_.port);
  if (!entry) return std::nullopt;
  InterruptedWork work;
  work.entry = std::move(*entry);
  work.total = work.entry.changes.size();
  for (std::size_t k = 0; k < work.total; ++k) {
    const JournalChange& change = work.entry.changes[k];
    uint8_t now = 0;
    if (session_.command.EepromReadByte(change.address, now) != PORT_OK) return std::nullopt;
    if (now == change.after && now != change.before) work.written = k + 1;
  }
  // A failure before any byte changed left the printer as it was: nothing to resume or undo.
  if (work.entry.state == kStateFailed && work.written == 0) return std::nullopt;
  return work;
}

Result ServiceJournal::Settle(const JournalEntry& entry, bool back, const std::string& name) {
  std::vector<EepromWrite> writes;
  for (const JournalChange& change : entry.changes) {
    writes.push_back({change.address, back ? change.before : change.after});
  }
  StartOperation(name);
  const Result result = session_.command.WriteEepromVerified(writes);
  if (result == PORT_OK && entry_ && !store_.SetSettled(entry.id, *entry_)) return ERR_JOURNAL;
  return result;
}

std::string VirtualPrinterPlace(const std::filesystem::path& dir) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(dir, error);
  return (error ? dir : absolute.lexically_normal()).string();
}

std::string InterruptedLine(const InterruptedWork& work) {
  return "The last " + work.entry.operation + " to this printer, on " + work.entry.time +
         ", was interrupted: " + std::to_string(work.written) + " of " +
         std::to_string(work.total) + " bytes were written.";
}

}  // namespace opal
