#pragma once

#include <chrono>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "tests/support/fakes.h"

namespace opal::testing {

struct InProcessRun {
  int status = -1;
  std::string out;
  std::string err;
  std::chrono::milliseconds took{0};
};

// A fake clock whose calendar shows the real date: the virtual printer dates its fresh
// cartridges from it, and a USB ID stamp needs a date the printer takes.
inline FakeClock ClockAtToday() {
  // Read once, so every run of a test sees the same minute and stamps the same USB ID.
  static const std::tm kLocal = [] {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
  }();
  FakeClock clock;
  clock.SetLocalTime(kLocal);
  return clock;
}

// opalctl run inside the test on `clock`: the printer's time limits and the fixed waits cost no
// real time, and `took` is the time the run would have taken.
// The journal is the user's unless `journal_file` names another.
inline InProcessRun RunOpalctlHere(const std::vector<std::string>& args, FakeClock& clock,
                                   const std::filesystem::path& journal_file = {}) {
  std::istringstream in;
  std::ostringstream out, err;
  cli::Console console{in, out, err};
  const auto start = clock.Now();
  const int status = cli::RunOpalctl(args, clock, clock, console,
                                     journal_file.empty() ? DefaultJournalFile() : journal_file);
  return {status, out.str(), err.str(),
          std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now() - start)};
}

}  // namespace opal::testing
