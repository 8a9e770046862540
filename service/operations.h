#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/bid.h"
#include "device/eeprom.h"
#include "link/factory.h"
#include "link/printerdriver.h"
#include "link/timing.h"
#include "maintenance/maintenance.h"
#include "maintenance/zlic.h"
#include "printing/a4check.h"
#include "printing/bidcheck.h"
#include "printing/clogged.h"
#include "printing/zlicprint.h"
#include "service/journaloperations.h"
#include "service/journalstore.h"
#include "service/servicemodules.h"

namespace opal {

// What an operation that may write to the printer gave: its code and what to say of it, what it
// changed (before: as the operation found it; after: what it meant to leave), and when it
// stopped, what it left other than it meant.
struct Outcome {
  Outcome() = default;
  explicit Outcome(Result code) : result(code) {}

  Result result = PORT_OK;
  std::string message;  // the code's message with its detail; empty on success
  std::vector<JournalChange> changed;
  std::vector<JournalChange> left_behind;
  std::optional<int64_t> entry;  // the journal entry that records it, when it changed anything
};

// What opening the port and asking the printer who it is gave.
struct OpenedPrinter {
  Result result = PORT_OK;
  std::string answer;  // the device-ID text
  // Why the port would not open (a missing device node, a missing permission), and the printers
  // answering on other ports: what a technician whose printer is not found needs to hear.
  std::string problem;
  std::string elsewhere;
};

// Everything a technician does to the printer, once, for both front ends. Every operation that
// writes is one journal entry under its own name; the front ends present operations and their
// outcomes and send nothing themselves.
class ServiceOperations {
 public:
  ServiceOperations(TPrinterPort& port, TFactoryCommand& command, ServiceModules& modules,
                    const Clock& clock)
      : port_(port), command_(command), modules_(modules), clock_(clock) {}
  ServiceOperations(const ServiceOperations&) = delete;
  ServiceOperations& operator=(const ServiceOperations&) = delete;

  // Where the writes are recorded; none keeps no record.
  void SetJournal(JournalLog* journal) { journal_ = journal; }

  Outcome WriteHeadId(std::string_view id);
  // `stamp` gets the stamp written beside the ID.
  Outcome WriteUsbId(std::string_view id, std::string& stamp);
  Outcome WriteBidValue(const BidRow& row, std::string_view text);
  // As WriteTickedBidValues of the Bi-D unit, as one entry.
  Outcome WriteTickedBidValues(const std::array<BidEntry, kBidRowCount>& entries,
                               const StatusReport& report,
                               const std::function<void(std::size_t row)>& on_written);
  Outcome WriteEepromByte(const EepromByte& byte);
  Outcome RestoreEeprom(const EepromImage& image, RestoreReport& report);
  Outcome WriteIdentity(PrinterModel model);
  // Puts a printer's known values back, such as on a new main board, verified.
  Outcome RestoreValues(std::span<const EepromWrite> writes);
  Outcome ClearCounter();
  Outcome ResetData();
  Outcome PrintBidCheckPage(int start_steps, const StatusReport& report);
  Outcome PrintBidBlock(const BidRow& row);
  Outcome PrintA4CheckSheet(PrinterModel model);

  // Opens the port and asks the printer who it is, as both front ends connect: ERR_PORT_BUSY when
  // another program holds it (nothing is sent then), ERR_RECEIVE_TIMEOUT when no printer answers
  // (the port stays open for the caller to say why and close it). The port's ModelCode is set
  // from the answer.
  OpenedPrinter OpenPrinter(PortId port);
  // The printer's device-ID text asked anew; empty when it does not answer.
  std::string AskDeviceId();
  // Switches a printer that answered into its service protocol.
  Result StartServiceProtocol();
  // The printer's own initialisation, when a program is left.
  Result InitializePrinter();
  // One read the printer must answer before the next command is invited; its answer is not
  // looked at.
  void AwaitPrinterAnswer();

  Result ReadHeadId(std::string& text);
  Result ReadUsbId(std::string& text);
  Result ReadBidValues(
      const std::function<void(std::size_t row, const std::string& text)>& on_value);
  // "Check present adjustment data." on the status lines.
  Result ReportBidValues(const StatusReport& report);
  Result ReadEeprom(EepromRange range,
                    const std::function<void(uint8_t address, uint8_t value)>& on_byte);
  Result BackupEeprom(EepromImage& image);
  Result ReadCounter(std::string& digits);
  Result RunSequence(const TimedSequence& sequence, Sleeper& sleeper);
  Result RunLiquidExchange(Sleeper& wait, Sleeper& poll, const SilenceReport& on_silence);
  // Only sends the exchange; the printer carries on by itself.
  Result StartLiquidExchange();
  Result ReadChipInfo(const ChipInfoItem& item, std::string& report);
  Result PrintAllChipInfo();
  Result PrintNozzleCheckPage(int start_steps, const StatusReport& report);
  // One test pattern by its name in PatternNames(); false when there is none of that name.
  bool PrintPattern(std::string_view name, Result& result);
  // Back to the printer's defaults, and the end of a page.
  Result ResetPrinter();
  Result EndPage();

 private:
  // Runs `write` as one journal entry named `operation`.
  Outcome Journaled(JournalOperation operation, const std::function<Result()>& write);
  // A print's result, with the write of what it left held.
  Result Streamed(Result printed);
  // The outcome with its code's message and detail.
  Outcome Described(Outcome outcome) const;

  TPrinterPort& port_;
  TFactoryCommand& command_;
  ServiceModules& modules_;
  const Clock& clock_;
  JournalLog* journal_ = nullptr;
};

// The names of the test patterns a page of its own can hold, as PrintPattern takes them.
std::vector<std::string> PatternNames();

}  // namespace opal
