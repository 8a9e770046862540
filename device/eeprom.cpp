#include "device/eeprom.h"

#include "device/datamanu.h"

namespace opal {
namespace {

std::optional<uint8_t> ExactHexPair(std::string_view text) {
  uint8_t value = 0;
  if (text.size() != 2 || !HexPairToByte(text, value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<EepromRange> ParseEepromRange(std::string_view start, std::string_view end) {
  if (start.size() != 2 || end.size() != 2) return std::nullopt;
  const auto first = ExactHexPair(start);
  const auto last = ExactHexPair(end);
  if (!first || !last || *first > *last) return std::nullopt;
  return EepromRange{*first, *last};
}

std::optional<EepromByte> ParseEepromByte(std::string_view address, std::string_view data) {
  if (address.size() != 2 || data.size() != 2) return std::nullopt;
  const auto where = ExactHexPair(address);
  const auto what = ExactHexPair(data);
  if (!where || !what) return std::nullopt;
  return EepromByte{*where, *what};
}

Result ReadEepromRange(TFactoryCommand& command, EepromRange range,
                       const std::function<void(uint8_t address, uint8_t value)>& on_byte) {
  for (int address = range.start; address <= range.end; ++address) {
    uint8_t value = 0;
    const auto at = static_cast<uint8_t>(address);
    if (const Result result = command.EepromReadByte(at, value); result != PORT_OK) return result;
    on_byte(at, value);
  }
  return PORT_OK;
}

Result BackupEeprom(TFactoryCommand& command, EepromImage& image) {
  EepromImage read{};
  const Result result = ReadEepromRange(
      command, {0x00, 0xFF}, [&read](uint8_t address, uint8_t value) { read[address] = value; });
  if (result == PORT_OK) image = read;
  return result;
}

Result WriteEepromByteVerified(TFactoryCommand& command, const EepromByte& byte) {
  const EepromWrite write{byte.address, byte.data};
  return command.WriteEepromVerified({&write, 1});
}

namespace {

void CountHeld(TFactoryCommand& command, std::span<const EepromWrite> tried,
               RestoreReport& report) {
  report.written = 0;
  for (const EepromWrite& write : tried) {
    uint8_t held = 0;
    if (command.EepromReadByte(write.address, held) != PORT_OK) {
      report.counted = false;
      return;
    }
    report.written += held == write.value;
  }
}

}  // namespace

Result RestoreEeprom(TFactoryCommand& command, const EepromImage& image, RestoreReport& report) {
  report = {};
  EepromImage held{};
  if (const Result result = BackupEeprom(command, held); result != PORT_OK) return result;
  std::vector<EepromWrite> changed;
  for (std::size_t address = 0; address < kEepromSize; ++address) {
    if (held[address] != image[address])
      changed.push_back({static_cast<uint8_t>(address), image[address]});
  }
  if (const WriteClearance clearance = command.BeginWrites(changed); clearance.result != PORT_OK) {
    return clearance.result;
  }
  for (const EepromWrite& write : changed) {
    const Result result = command.EepromWriteByte(write.address, write.value);
    if (result != PORT_OK) {
      // A frame the port took may have been lost, and a failed one may have arrived: only the
      // printer can tell what it holds.
      CountHeld(command, std::span(changed).first(report.sent + 1), report);
      return command.EndWrites(result);
    }
    ++report.sent;
  }
  report.written = report.sent;
  std::array<EepromWrite, kEepromSize> wanted{};
  for (std::size_t address = 0; address < kEepromSize; ++address) {
    wanted[address] = {static_cast<uint8_t>(address), image[address]};
  }
  const Result verified = command.EndWrites(command.VerifyEeprom(wanted));
  if (verified != ERR_WRITE_NOT_HELD) return verified;
  // The check names the first byte that does not match; plain reads list the rest without
  // replacing it.
  const WriteCheckFailure& first = *command.LastWriteCheck();
  report.mismatches.push_back({first.address, first.written, *first.read});
  if (first.address == kEepromSize - 1) return verified;
  const EepromRange rest{static_cast<uint8_t>(first.address + 1), kEepromSize - 1};
  // The mismatch already fails the restore: a read that fails here only ends the list.
  DropResult(ReadEepromRange(command, rest, [&](uint8_t address, uint8_t value) {
    if (value != image[address]) report.mismatches.push_back({address, image[address], value});
  }));
  return verified;
}

}  // namespace opal
