#pragma once

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "link/programexit.h"
#include "link/timing.h"

namespace opal::testing {

// A clock that only moves when told to; a sleep moves it by exactly the time asked for.
class FakeClock final : public Clock, public Sleeper {
 public:
  TimePoint Now() const override { return now_; }
  std::tm LocalTime() const override { return local_; }
  void Sleep(std::chrono::milliseconds duration) override {
    now_ += duration;
    slept_.push_back(duration);
  }
  void Advance(std::chrono::milliseconds by) { now_ += by; }
  void SetLocalTime(const std::tm& local) { local_ = local; }
  const std::vector<std::chrono::milliseconds>& Slept() const { return slept_; }

 private:
  TimePoint now_{std::chrono::hours(1)};
  std::tm local_{};
  std::vector<std::chrono::milliseconds> slept_;
};

struct ProgramEnded : std::runtime_error {
  explicit ProgramEnded(const ExitNotice& notice)
      : std::runtime_error(notice.text), notice(notice) {}
  ExitNotice notice;
};

class ThrowingExit final : public ProgramExit {
 public:
  [[noreturn]] void End(const ExitNotice& notice) override { throw ProgramEnded(notice); }
};

}  // namespace opal::testing
