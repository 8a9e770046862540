#include "maintenance/maintenance.h"

#include <array>

namespace opal {

Result TMaintenanceModule::ReadProtectionCounter(std::string& digits) {
  uint8_t low = 0;
  uint8_t high = 0;
  if (const Result result = command_.EepromReadByte(kCounterLowAddress, low); result != PORT_OK) {
    return result;
  }
  if (const Result result = command_.EepromReadByte(kCounterHighAddress, high); result != PORT_OK) {
    return result;
  }
  digits = std::to_string(high * 256 + low);
  return PORT_OK;
}

Result TMaintenanceModule::ClearProtectionCounter() {
  static constexpr std::array<EepromWrite, 2> kCleared{
      {{kCounterLowAddress, 0x00}, {kCounterHighAddress, 0x00}}};
  return command_.WriteEepromVerified(kCleared);
}

Result RunTimedSequence(TFactoryCommand& command, Sleeper& sleeper, const TimedSequence& sequence) {
  const Result result = command.RunCleaning(sequence.cleaning_mode);
  if (result == PORT_OK) sleeper.Sleep(sequence.wait);
  return result;
}

std::string SilenceText(std::chrono::seconds silent) {
  return "No answer from the printer for " + std::to_string(silent.count()) + " s";
}

Result AwaitPrinterReturn(TPrinterPort& port, const Clock& clock, Sleeper& sleeper,
                          const SilenceReport& on_silence) {
  const Clock::TimePoint start = clock.Now();
  while (!port.CheckDeviceId()) {
    const auto silent = clock.Now() - start;
    if (silent >= kReturnLimit) return ERR_PRINTER_NOT_BACK;
    on_silence(std::chrono::duration_cast<std::chrono::seconds>(silent));
    sleeper.Sleep(kReturnPollInterval);
  }
  return PORT_OK;
}

Result RunLiquidExchange(TFactoryCommand& command, const Clock& clock, Sleeper& wait,
                         Sleeper& pause, const SilenceReport& on_silence) {
  if (const Result sent = command.LiquidExchange(); sent != PORT_OK) return sent;
  wait.Sleep(kExchangeWait);
  return AwaitPrinterReturn(command.Port(), clock, pause, on_silence);
}

Result ResetRefurbishedData(TMaintenanceModule& maintenance, TFactoryCommand& command) {
  static constexpr std::array<EepromWrite, 2> kInkFlags{{{0x01, 0x00}, {0x26, 0x05}}};
  static constexpr std::array<EepromWrite, 4> kWhole{
      {{kCounterLowAddress, 0x00}, {kCounterHighAddress, 0x00}, kInkFlags[0], kInkFlags[1]}};
  // The counter and the ink flags are one change: recorded whole before the first byte, so a
  // reset cut between them is known for what it left.
  const WriteClearance clearance = command.BeginWrites(kWhole);
  if (clearance.result != PORT_OK) return clearance.result;
  if (!clearance.needed) return command.EndWrites(PORT_OK);
  if (const Result result = maintenance.ClearProtectionCounter(); result != PORT_OK) {
    return command.EndWrites(result);
  }
  return command.EndWrites(command.WriteEepromVerified(kInkFlags));
}

}  // namespace opal
