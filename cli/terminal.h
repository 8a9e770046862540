#pragma once

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/session.h"
#include "device/statusreport.h"
#include "link/timing.h"

namespace opal::cli {

// A form's Yes/No question. --yes (`yes`) answers it for scripts; otherwise it is asked on the
// terminal, where "y" or "yes" in any case is Yes and anything else, or the end of input, is No.
// Without a terminal nobody can answer, and nothing is done. Returns nullopt for Yes, otherwise
// the exit status, with `refused` on standard error for No.
std::optional<int> NotConfirmed(Console& console, std::string_view question, bool yes,
                                std::string_view refused);

// Text that came from the printer, safe to show on a terminal: a byte that is not printable
// ASCII (or is a backslash) is shown as \x and two hex digits, so it cannot act as a control.
std::string Printable(std::string_view text);

// One line of standard output rewritten in place while the program waits; nothing when standard
// output is not a terminal.
class StatusLine {
 public:
  explicit StatusLine(Console& console) : console_(console) {}
  ~StatusLine();
  StatusLine(const StatusLine&) = delete;
  StatusLine& operator=(const StatusLine&) = delete;

  void Show(std::string_view text);
  void Clear();

 private:
  Console& console_;
  std::size_t shown_ = 0;
};

// The fixed waits while the printer works on its own: a countdown of the seconds left on a
// terminal, or no wait at all for --no-wait (`skip`).
class CountdownSleeper final : public Sleeper {
 public:
  CountdownSleeper(Opalctl& ctl, bool skip) : ctl_(ctl), skip_(skip) {}
  void Sleep(std::chrono::milliseconds duration) override;

 private:
  Opalctl& ctl_;
  bool skip_;
};

// The forms' status lines on a terminal: appended text stays on its line, every other mode
// starts a new one, and an error goes to standard error.
class TerminalStatus {
 public:
  TerminalStatus(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  StatusReport Report() {
    return [this](StatusMode mode, std::string_view text) {
      if (mode == StatusMode::Error) {
        EndLine();
        err_ << text << '\n';
        return;
      }
      if (mode != StatusMode::Append && started_) out_ << '\n';
      out_ << text << std::flush;
      started_ = true;
    };
  }
  void EndLine() {
    if (started_) out_ << '\n';
    started_ = false;
  }

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool started_ = false;
};

// What --no-wait leaves the printer to do.
constexpr std::string_view kNotWaited = "Not waited for: the printer finishes on its own.";

// The failure of a chip report or a page that prints them: a terminal says what is wrong with the
// cartridge where the forms show nothing. Gives the failure status.
int ChipFailed(Opalctl& ctl, Result code);

}  // namespace opal::cli
