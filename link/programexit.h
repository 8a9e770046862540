#pragma once

#include <string>

namespace opal {

// What the program shows before it ends on its own accord.
struct ExitNotice {
  std::string caption;
  std::string text;
};

// Ends the program after showing the notice (the application closes the port and exits with 0).
// Tests throw instead, so the situations that end the program can be checked.
class ProgramExit {
 public:
  virtual ~ProgramExit() = default;
  [[noreturn]] virtual void End(const ExitNotice& notice) = 0;
};

}  // namespace opal
