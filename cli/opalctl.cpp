#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/interrupt.h"
#include "cli/run.h"
#include "service/processmemory.h"

int main(int argc, char** argv) {
  opal::ReturnLargeBuffersAfterUse();
  // A printer that hangs up must give an error code, not kill the program.
  std::signal(SIGPIPE, SIG_IGN);
  opal::cli::StopOnInterrupt();
  opal::SystemClock clock;
  opal::ThreadSleeper sleeper;
  opal::cli::Console console{std::cin,
                             std::cout,
                             std::cerr,
                             isatty(STDIN_FILENO) != 0,
                             isatty(STDOUT_FILENO) != 0,
                             isatty(STDERR_FILENO) != 0};
  return opal::cli::RunOpalctl({argv + 1, argv + argc}, clock, sleeper, console);
}
