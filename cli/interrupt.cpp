#include "cli/interrupt.h"

#include <signal.h>

#include <csignal>

namespace opal::cli {
namespace {

volatile std::sig_atomic_t stop_asked = 0;

void OnInterrupt(int) {
  AskToStop();
}

}  // namespace

void StopOnInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // Restarted calls keep a read from failing mid-exchange; the port's own waits see the flag.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
}

bool StopAsked() {
  return stop_asked != 0;
}

void ForgetStop() {
  stop_asked = 0;
}

void AskToStop() {
  stop_asked = 1;
}

}  // namespace opal::cli
