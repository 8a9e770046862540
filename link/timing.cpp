#include "link/timing.h"

#include <thread>

namespace opal {

Clock::TimePoint SystemClock::Now() const {
  return std::chrono::steady_clock::now();
}

std::tm SystemClock::LocalTime() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

void ThreadSleeper::Sleep(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

}  // namespace opal
