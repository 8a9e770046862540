#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "cli/session.h"
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

}  // namespace opal::cli
