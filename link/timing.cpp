#include "link/timing.h"

#include <algorithm>
#include <exception>
#include <future>
#include <system_error>
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

DetachedQuery::DetachedQuery() : running_(std::make_shared<std::atomic<bool>>(false)) {}

std::optional<std::string> DetachedQuery::Run(std::function<std::string()> question,
                                              std::chrono::milliseconds limit,
                                              const IdleHook& idle) {
  if (running_->exchange(true)) return std::nullopt;
  auto answer = std::make_shared<std::promise<std::string>>();
  std::future<std::string> future = answer->get_future();
  try {
    std::thread([question = std::move(question), answer, running = running_]() mutable {
      std::string text;
      try {
        text = question();
      } catch (const std::exception&) {
        // A question that failed has no answer, which is what every caller makes of it.
      }
      question = nullptr;
      // Cleared before the answer is out, so a caller that asks again at once is not refused.
      running->store(false);
      answer->set_value(std::move(text));
    }).detach();
  } catch (const std::system_error&) {
    running_->store(false);
    return std::nullopt;
  }
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const auto remaining = deadline - std::chrono::steady_clock::now();
    const auto slice = std::clamp<std::chrono::steady_clock::duration>(
        remaining, std::chrono::steady_clock::duration::zero(), kIdleEvery);
    if (future.wait_for(slice) == std::future_status::ready) return future.get();
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    if (idle) idle();
  }
}

}  // namespace opal
