#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "link/factory.h"
#include "link/timing.h"
#include "service/journaloperations.h"
#include "service/journalstore.h"
#include "service/servicesession.h"

namespace opal {

// Work a journal entry began on this printer that did not end done: `written` of its `total`
// bytes are on the printer now, counted up to the last one that holds its new value.
struct InterruptedWork {
  JournalEntry entry;
  std::size_t written = 0;
  std::size_t total = 0;
};

// Keeps the journal of one session's printer: before a write goes out it records the printer,
// the operation and every address with the value it holds and the value to come, and takes the
// printer's first snapshot; after the read-back it marks the entry done or failed. A journal that
// cannot be written refuses the write.
class ServiceJournal final : public EepromWriteObserver, public JournalOperationScope::Log {
 public:
  ServiceJournal(JournalStore& store, ServiceSession& session, const Clock& clock,
                 JournalPrinter printer);
  ~ServiceJournal() override;
  ServiceJournal(const ServiceJournal&) = delete;
  ServiceJournal& operator=(const ServiceJournal&) = delete;

  // The writes from here until the next call are one entry under this name.
  void StartOperation(std::string name) override;
  // Writes after this are each an entry of their own again.
  void EndOperation() override;
  // The session reached a printer, perhaps another one than before: what the journal knows of
  // the printer is learnt anew from it.
  void Connected();
  // How the journal names the printer at `port`: the virtual printer's place, or the port.
  std::string PrinterKey(PortId port) const;
  std::optional<int64_t> CurrentEntry() const { return entry_; }

  Result BeforeWrites(std::span<const EepromWrite> writes) override;
  void AfterWrites(Result result) override;

  // The port's last entry when it did not end done and nothing settled it; nullopt as well when
  // its bytes cannot be read now.
  std::optional<InterruptedWork> FindInterrupted();
  // Writes back the entry's old values (`back`) or its new ones, verified and journaled as an
  // operation of its own, and marks the entry settled by it. Later writes join that operation
  // until EndOperation.
  Result Settle(const JournalEntry& entry, bool back, const std::string& name);

  JournalStore& Store() { return store_; }

 private:
  Result LearnPrinter();
  Result KeepSnapshot();
  std::string Now() const;

  JournalStore& store_;
  ServiceSession& session_;
  const Clock& clock_;
  // The printer as given: a virtual printer's place, or nothing for a port of this machine.
  const JournalPrinter given_;
  JournalPrinter printer_;
  bool printer_known_ = false;
  std::string operation_{kUnnamedOperation};
  bool grouped_ = false;
  std::optional<int64_t> entry_;
};

// How the journal names a virtual printer: its folder, absolute. A real printer is named by its
// port, which the journal takes from the session when the port is left empty.
std::string VirtualPrinterPlace(const std::filesystem::path& dir);

// "The last USB ID write to this printer, on DATE, was interrupted: 7 of 18 bytes were written."
std::string InterruptedLine(const InterruptedWork& work);

}  // namespace opal
