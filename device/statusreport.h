#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "link/factory.h"
#include "link/resultcodes.h"

namespace opal {

// How a line reaches a form's status area; the numbers are the ones the forms' routines take.
enum class StatusMode : int { Plain = 1, Done = 2, Busy = 3, Error = 4, Append = 5, NewLine = 6 };

// Where an operation posts the lines a technician follows; each form turns them into its memo.
using StatusReport = std::function<void(StatusMode mode, std::string_view text)>;

// The last line of an operation: done with `done_text`, or `failure_text` as an error.
inline void ReportOutcome(const StatusReport& report, Result result, std::string_view done_text,
                          std::string_view failure_text) {
  if (result == PORT_OK) {
    report(StatusMode::Done, done_text);
  } else {
    report(StatusMode::Error, failure_text);
  }
}

// For an operation that never writes to the EEPROM: the failure reads as its code's message.
inline void ReportOutcome(const StatusReport& report, Result result, std::string_view done_text) {
  ReportOutcome(report, result, done_text, ResultMessage(result));
}

// For an operation that writes to the EEPROM: a byte the printer does not hold is named with its
// address, the value written and the value read.
inline void ReportOutcome(const StatusReport& report, const TFactoryCommand& command, Result result,
                          std::string_view done_text) {
  ReportOutcome(report, result, done_text, command.Message(result));
}

}  // namespace opal
