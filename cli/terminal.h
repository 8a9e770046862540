#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "link/timing.h"

namespace opal::cli {

// A form's Yes/No question. --yes (`yes`) answers it for scripts; otherwise it is asked on the
// terminal, where "y" or "yes" in any case is Yes and anything else, or the end of input, is No.
// Without a terminal nobody can answer, and nothing is done. Returns nullopt for Yes, otherwise
// the exit status, with `refused` on standard error for No.
std::optional<int> NotConfirmed(std::string_view question, bool yes, std::string_view refused);

// One line of standard output rewritten in place while the program waits; nothing when standard
// output is not a terminal.
class StatusLine {
 public:
  StatusLine();
  ~StatusLine();
  StatusLine(const StatusLine&) = delete;
  StatusLine& operator=(const StatusLine&) = delete;

  void Show(std::string_view text);
  void Clear();

 private:
  bool terminal_;
  std::size_t shown_ = 0;
};

// The fixed waits while the printer works on its own: a countdown of the seconds left on a
// terminal, or no wait at all for --no-wait (`skip`).
class CountdownSleeper final : public Sleeper {
 public:
  CountdownSleeper(Sleeper& sleeper, bool skip) : sleeper_(sleeper), skip_(skip) {}
  void Sleep(std::chrono::milliseconds duration) override;

 private:
  Sleeper& sleeper_;
  bool skip_;
};

}  // namespace opal::cli
