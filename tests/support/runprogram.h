#pragma once

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

}  // namespace opal::testing
