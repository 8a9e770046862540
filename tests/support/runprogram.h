#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace opal::testing {

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs a program with its arguments (no shell), feeding `input` on standard input.
ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& args,
                      const std::string& input = {});
// As RunProgram, with `signal` sent to it `after` it started (if it is still running then).
// `status` is the exit status, or -1 when the signal ended it.
ProgramRun RunProgramSignalled(const std::string& path, const std::vector<std::string>& args,
                               int signal, std::chrono::microseconds after);

}  // namespace opal::testing
