#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "link/factory.h"
#include "link/showntext.h"
#include "link/timing.h"

namespace opal {

inline constexpr uint8_t kCounterHighAddress = 0x1A;
inline constexpr uint8_t kCounterLowAddress = 0x1B;

// What the technician reads around the counter.
inline constexpr std::string_view kCounterValuePrefix = OPAL_TEXT("Core", "Counter value = ");
inline constexpr std::string_view kCounterClearQuestion =
    OPAL_TEXT("Core", "Have you replaced the Waste Ink Pad certainly?");
inline constexpr std::string_view kCounterClearRetry =
    OPAL_TEXT("Core", "Retry this routine from first step.");
inline constexpr std::string_view kCounterCleared =
    OPAL_TEXT("Core", "The protection counter has been initialized.");
// The "Protection counter value" field after a clear.
inline constexpr std::string_view kCounterFieldAfterClear = OPAL_TEXT("Core", "Initialized");

// The printer's maintenance work: the waste-ink protection counter, kept in two EEPROM bytes,
// high byte first.
class TMaintenanceModule {
 public:
  explicit TMaintenanceModule(TFactoryCommand& command) : command_(command) {}

  // The counter in decimal digits; `digits` is untouched on failure. The low byte is read first.
  Result ReadProtectionCounter(std::string& digits);
  // Low byte first, so a failing send leaves the high byte as it was; then both are read back.
  Result ClearProtectionCounter();

 private:
  TFactoryCommand& command_;
};

// A sequence the printer runs on its own after one service command, while the program waits.
struct TimedSequence {
  uint8_t cleaning_mode;
  std::chrono::milliseconds wait;
  std::string_view busy_text;
  std::string_view done_text;
};
inline constexpr TimedSequence kPowerfulCleaning{
    CLEANING_POWERFUL, std::chrono::milliseconds(31'000),
    OPAL_TEXT("Core", "Performing powerful Cleaning (CL1'') now."),
    OPAL_TEXT("Core", "Powerful Cleaning (CL1'') is completed.")};
inline constexpr TimedSequence kInitialInkCharge{
    CLEANING_INK_CHARGE, std::chrono::milliseconds(108'000),
    OPAL_TEXT("Core", "Performing Initial Ink Charge now."),
    OPAL_TEXT("Core", "Initial Ink Charge is completed.")};

inline constexpr std::string_view kInkChargeQuestion =
    OPAL_TEXT("Core", "Have you replaced both brand-new I/C?");
inline constexpr std::string_view kInkChargeRefused = OPAL_TEXT(
    "Core", "Please replace both brand-new I/C properly,\nby performing I/C exchange sequence.");

// Sends the sequence's command and waits only when the printer took it.
Result RunTimedSequence(TFactoryCommand& command, Sleeper& sleeper, const TimedSequence& sequence);

// The transport-liquid exchange: the printer works silently, then answers its device-ID query
// again.
inline constexpr std::string_view kExchangeQuestion =
    OPAL_TEXT("Core", "Have you set the dummy I/C filled with L57 liquid?");
inline constexpr std::string_view kExchangeRefused =
    OPAL_TEXT("Core", "Please set the dummy I/C filled with L57 liquid.");
inline constexpr std::string_view kExchangeBusy =
    OPAL_TEXT("Core", "Performing Transportion Liquid Exchange now.");
inline constexpr std::string_view kExchangeDone =
    OPAL_TEXT("Core", "Transportion Liquid Exchange is completed.");
inline constexpr std::chrono::milliseconds kExchangeWait{10'000};
inline constexpr std::chrono::milliseconds kReturnPollInterval{1'000};
inline constexpr std::chrono::minutes kReturnLimit{3};

// How long the printer has not answered, told before every pause between two queries.
using SilenceReport = std::function<void(std::chrono::seconds silent)>;
// The line that tells the technician so.
std::string SilenceText(std::chrono::seconds silent);

// Asks for the device ID about once a second until the printer answers; ERR_PRINTER_NOT_BACK
// once it has been silent for kReturnLimit.
Result AwaitPrinterReturn(TPrinterPort& port, const Clock& clock, Sleeper& sleeper,
                          const SilenceReport& on_silence);

// The exchange command, its fixed wait through `wait`, then the polling with its pauses through
// `pause`. A command that did not go through fails at once, without the wait or the polling: an
// exchange that never started must not be taken for one that ran.
Result RunLiquidExchange(TFactoryCommand& command, const Clock& clock, Sleeper& wait,
                         Sleeper& pause, const SilenceReport& on_silence);

inline constexpr std::string_view kDataResetBusy = OPAL_TEXT("Core", "Reseting data.");
inline constexpr std::string_view kDataResetDone =
    OPAL_TEXT("Core", "Protection counter & Ink Flag2 are reseted.");
inline constexpr std::string_view kDataResetNote =
    OPAL_TEXT("Core", "Replace the waste ink pad\nafter turn off the printer.");

// What a refurbished printer needs after the exchange: the protection counter cleared, then the
// ink flags at their factory values, each read back. Stops at the first failing write or byte the
// printer does not hold; those before stay written.
Result ResetRefurbishedData(TMaintenanceModule& maintenance, TFactoryCommand& command);

}  // namespace opal
