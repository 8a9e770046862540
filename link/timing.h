#pragma once

#include <chrono>
#include <ctime>
#include <functional>

namespace opal {

// Time source for the transfer limits (steady) and for stamps and dates (local calendar).
class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~Clock() = default;
  virtual TimePoint Now() const = 0;
  virtual std::tm LocalTime() const = 0;
};

class SystemClock final : public Clock {
 public:
  TimePoint Now() const override;
  std::tm LocalTime() const override;
};

// Fixed waits while the printer works on its own; the forms replace it with one that repaints.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

class ThreadSleeper final : public Sleeper {
 public:
  void Sleep(std::chrono::milliseconds duration) override;
};

// Called at least every 50 ms by every wait, so a window can repaint while the program waits.
using IdleHook = std::function<void()>;

}  // namespace opal
