#include "tests/support/runprogram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/tempdir.h"

namespace opal::testing {

namespace {

ProgramRun Run(const std::string& path, const std::vector<std::string>& args,
               const std::string& input, int signal, std::chrono::microseconds after) {
  TempDir dir;
  const auto in_path = dir.path() / "in", out_path = dir.path() / "out",
             err_path = dir.path() / "err";
  std::ofstream(in_path, std::ios::binary) << input;
  const pid_t child = fork();
  if (child == 0) {
    const int in = open(in_path.c_str(), O_RDONLY);
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  if (signal != 0) {
    std::this_thread::sleep_for(after);
    kill(child, signal);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(out_path),
          ReadWholeFile(err_path)};
}

}  // namespace

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& args,
                      const std::string& input) {
  return Run(path, args, input, 0, {});
}

ProgramRun RunProgramSignalled(const std::string& path, const std::vector<std::string>& args,
                               int signal, std::chrono::microseconds after) {
  return Run(path, args, {}, signal, after);
}

}  // namespace opal::testing
