#pragma once

#include <functional>
#include <string_view>

#include "link/resultcodes.h"

namespace opal {

// How a line reaches a form's status area; the numbers are the ones the forms' routines take.
enum class StatusMode : int { Plain = 1, Done = 2, Busy = 3, Error = 4, Append = 5, NewLine = 6 };

// Where an operation posts the lines a technician follows; each form turns them into its memo.
using StatusReport = std::function<void(StatusMode mode, std::string_view text)>;

// The last line of an operation: done with `done_text`, or the failure's message as an error.
inline void ReportOutcome(const StatusReport& report, Result result, std::string_view done_text) {
  if (result == PORT_OK) {
    report(StatusMode::Done, done_text);
  } else {
    report(StatusMode::Error, ResultMessage(result));
  }
}

}  // namespace opal
