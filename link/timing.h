#pragma once

#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

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

// Called at least every kIdleEvery by every wait, so a window can repaint while the program waits.
using IdleHook = std::function<void()>;
inline constexpr std::chrono::milliseconds kIdleEvery{50};

// Runs a question that may block inside the kernel on a thread of its own, so the caller can give
// up at a limit and keep its window painting meanwhile. A run that was given up finishes on its
// own; until it has, no other run starts and every Run gives up at once, so a hung device never
// collects blocked threads.
class DetachedQuery {
 public:
  DetachedQuery();

  // The answer, or nullopt when it did not come within `limit` (real time, whatever clock the
  // caller keeps) or no thread could be started. An exception from `question` reads as an empty
  // answer. What `question` holds is released before the answer is handed back, so an object it
  // keeps alive is never destroyed on the other thread unless the caller gave up on it.
  std::optional<std::string> Run(std::function<std::string()> question,
                                 std::chrono::milliseconds limit, const IdleHook& idle = {});

 private:
  std::shared_ptr<std::atomic<bool>> running_;
};

}  // namespace opal
