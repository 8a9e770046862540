#include "service/operations.h"

#include <array>

#include "printing/bidpattern.h"
#include "printing/patterns.h"

namespace opal {
namespace {

struct NamedPattern {
  std::string_view name;
  Result (*print)(TRasterPrinter&);
};
constexpr std::array<NamedPattern, 6> kPatterns{{
    {"beta-black", PrintBetaBlack},
    {"beta-color", PrintBetaColor},
    {"nozzle-black-cyan", PrintNozzleCheckBlackCyan},
    {"nozzle-magenta-yellow", PrintNozzleCheckMagentaYellow},
    {"halign-odd", PrintHorizontalAlignmentBkOdd},
    {"halign-even", PrintHorizontalAlignmentBkEven},
}};

}  // namespace

Outcome ServiceOperations::Journaled(JournalOperation operation,
                                     const std::function<Result()>& write) {
  if (journal_ == nullptr) return Described(Outcome(write()));
  journal_->StartOperation(std::string(JournalOperationName(operation)));
  Outcome outcome(write());
  journal_->EndOperation();
  outcome.changed = journal_->Changes();
  if (outcome.result != PORT_OK) outcome.left_behind = journal_->LeftBehind();
  if (!outcome.changed.empty()) outcome.entry = journal_->CurrentEntry();
  return Described(std::move(outcome));
}

Result ServiceOperations::Streamed(Result printed) {
  // A page ends on the wire; should its last held bytes not go out, the print did not happen.
  const Result released = port_.Release();
  return printed != PORT_OK ? printed : released;
}

Outcome ServiceOperations::Described(Outcome outcome) const {
  if (outcome.result != PORT_OK) outcome.message = command_.Message(outcome.result);
  return outcome;
}

Outcome ServiceOperations::WriteHeadId(std::string_view id) {
  return Journaled(JournalOperation::HeadIdWrite, [&] { return modules_.head_id.WriteHeadId(id); });
}

Outcome ServiceOperations::WriteUsbId(std::string_view id, std::string& stamp) {
  return Journaled(JournalOperation::UsbIdWrite,
                   [&] { return modules_.usb_id.WriteUsbId(id, stamp); });
}

Outcome ServiceOperations::WriteBidValue(const BidRow& row, std::string_view text) {
  return Journaled(JournalOperation::BidWrite,
                   [&] { return modules_.bid.WriteBidValue(row.ink_group, row.kind, text); });
}

Outcome ServiceOperations::WriteTickedBidValues(
    const std::array<BidEntry, kBidRowCount>& entries, const StatusReport& report,
    const std::function<void(std::size_t row)>& on_written) {
  return Journaled(JournalOperation::BidWrite, [&] {
    return opal::WriteTickedBidValues(modules_.bid, entries, report, on_written);
  });
}

Outcome ServiceOperations::WriteEepromByte(const EepromByte& byte) {
  return Journaled(JournalOperation::EepromByteWrite,
                   [&] { return WriteEepromByteVerified(command_, byte); });
}

Outcome ServiceOperations::RestoreEeprom(const EepromImage& image, RestoreReport& report) {
  return Journaled(JournalOperation::EepromRestore,
                   [&] { return opal::RestoreEeprom(command_, image, report); });
}

Outcome ServiceOperations::WriteIdentity(PrinterModel model) {
  return Journaled(JournalOperation::IdentityWrite,
                   [&] { return WriteModelIdentity(command_, model); });
}

Outcome ServiceOperations::RestoreValues(std::span<const EepromWrite> writes) {
  return Journaled(JournalOperation::ValuesRestore,
                   [&] { return command_.WriteEepromVerified(writes); });
}

Outcome ServiceOperations::ClearCounter() {
  return Journaled(JournalOperation::CounterClear,
                   [&] { return modules_.maintenance.ClearProtectionCounter(); });
}

Outcome ServiceOperations::ResetData() {
  return Journaled(JournalOperation::DataReset,
                   [&] { return ResetRefurbishedData(modules_.maintenance, command_); });
}

Outcome ServiceOperations::PrintBidCheckPage(int start_steps, const StatusReport& report) {
  return Journaled(JournalOperation::BidCheckPrint, [&] {
    return Streamed(opal::PrintBidCheckPage(modules_.raster, command_, start_steps, report));
  });
}

Outcome ServiceOperations::PrintBidBlock(const BidRow& row) {
  return Journaled(JournalOperation::BidPatternPrint, [&] {
    return Streamed(PrintBidPattern(modules_.raster, command_, row.kind, row.ink_group));
  });
}

Outcome ServiceOperations::PrintA4CheckSheet(PrinterModel model) {
  return Journaled(JournalOperation::A4CheckPrint,
                   [&] { return Streamed(modules_.a4check.PrintA4CheckSheet(model)); });
}

OpenedPrinter ServiceOperations::OpenPrinter(PortId port) {
  OpenedPrinter connection;
  // Another program's writes would interleave with ours: nothing is sent until we hold it.
  if (const Result opened = port_.Open(port); opened == ERR_PORT_BUSY) {
    connection.result = opened;
    connection.problem = port_.OpenProblem();
    return connection;
  }
  connection.answer = AskDeviceId();
  if (connection.answer.empty()) {
    connection.result = ERR_RECEIVE_TIMEOUT;
    connection.problem = port_.OpenProblem();
    connection.elsewhere = port_.PrintersElsewhere();
    return connection;
  }
  port_.IdentifyModelFromLastAnswer();
  return connection;
}

std::string ServiceOperations::AskDeviceId() {
  return port_.DeviceIdText();
}

Result ServiceOperations::StartServiceProtocol() {
  return port_.Send(kStartSequence);
}

Result ServiceOperations::InitializePrinter() {
  return command_.InitializePrinter();
}

void ServiceOperations::AwaitPrinterAnswer() {
  opal::AwaitPrinterAnswer(command_);
}

Result ServiceOperations::ReadHeadId(std::string& text) {
  return modules_.head_id.ReadHeadId(text);
}

Result ServiceOperations::ReadUsbId(std::string& text) {
  return modules_.usb_id.ReadUsbId(text);
}

Result ServiceOperations::ReadBidValues(
    const std::function<void(std::size_t row, const std::string& text)>& on_value) {
  return ReadAllBidValues(modules_.bid, on_value);
}

Result ServiceOperations::ReportBidValues(const StatusReport& report) {
  return ReportPresentBidValues(modules_.bid, report);
}

Result ServiceOperations::ReadEeprom(
    EepromRange range, const std::function<void(uint8_t address, uint8_t value)>& on_byte) {
  return ReadEepromRange(command_, range, on_byte);
}

Result ServiceOperations::BackupEeprom(EepromImage& image) {
  return opal::BackupEeprom(command_, image);
}

Result ServiceOperations::ReadCounter(std::string& digits) {
  return modules_.maintenance.ReadProtectionCounter(digits);
}

Result ServiceOperations::RunSequence(const TimedSequence& sequence, Sleeper& sleeper) {
  return RunTimedSequence(command_, sleeper, sequence);
}

Result ServiceOperations::RunLiquidExchange(Sleeper& wait, Sleeper& poll,
                                            const SilenceReport& on_silence) {
  return opal::RunLiquidExchange(command_, clock_, wait, poll, on_silence);
}

Result ServiceOperations::StartLiquidExchange() {
  return command_.LiquidExchange();
}

Result ServiceOperations::ReadChipInfo(const ChipInfoItem& item, std::string& report) {
  return modules_.zlic.ReadChipInfo(item, report);
}

Result ServiceOperations::PrintAllChipInfo() {
  return Streamed(opal::PrintAllChipInfo(modules_.raster, modules_.zlic));
}

Result ServiceOperations::PrintNozzleCheckPage(int start_steps, const StatusReport& report) {
  return Streamed(opal::PrintNozzleCheckPage(modules_.raster, start_steps, report));
}

bool ServiceOperations::PrintPattern(std::string_view name, Result& result) {
  for (const NamedPattern& pattern : kPatterns) {
    if (pattern.name != name) continue;
    result = Streamed(pattern.print(modules_.raster));
    return true;
  }
  return false;
}

Result ServiceOperations::ResetPrinter() {
  return modules_.raster.SendInitialize();
}

Result ServiceOperations::EndPage() {
  return modules_.raster.SendFormFeed();
}

std::vector<std::string> PatternNames() {
  std::vector<std::string> names;
  for (const NamedPattern& pattern : kPatterns) names.emplace_back(pattern.name);
  return names;
}

}  // namespace opal
