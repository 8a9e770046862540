#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace opal::ui {

// What the program says and does about printer work that runs long or is asked to stop.
struct WorkWatch {
  // What the work is doing now, given how long it has run; shown once that is kDescribedAfter.
  std::function<QString(std::chrono::milliseconds running)> describe;
  // Asked when a window is closed while work runs; true stops the work at its next safe point.
  std::function<bool()> ask_stop;
  // Whether the work may stop now: not amid a stream, nor inside a journaled write.
  std::function<bool()> may_stop;
  // Ends the program once the stopped work has left; runs on the window's thread.
  std::function<void()> end;
};
inline constexpr std::chrono::milliseconds kDescribedAfter{1000};

// The program's watch, for as long as this lives.
class WorkWatched {
 public:
  explicit WorkWatched(WorkWatch watch);
  ~WorkWatched();
  WorkWatched(const WorkWatched&) = delete;
  WorkWatched& operator=(const WorkWatched&) = delete;
};

// Thrown out of printer work at a safe point once a stop was asked.
struct WorkStopped {};
// Where printer work may stop: throws WorkStopped once a stop was asked and the watch lets it.
void StopWorkIfAsked();
// The port's idle hook: on the window's thread a pass of its event loop with input dropped, on
// the worker a safe point.
void PrinterIdle();

// True on the thread that owns the windows (and where there is no application yet).
bool OnWindowThread();

// Runs `task` on the window's thread and returns when it has run; at once when called there. What
// it throws comes back to the caller.
void OnTheWindow(const std::function<void()>& task);

// Printer work runs on a worker thread so that no reply, wait or page of the printer holds up the
// windows: they keep painting, input is dropped meanwhile, and what the work asks of the windows
// (status lines, dialogs, the program's end) runs back on the window's thread. Returns when the
// work has ended; what it threw is thrown here. Called off the window's thread, or inside work
// that is already off it, the work runs at once.
void RunOffTheWindow(const std::function<void()>& work);

template <typename Work>
auto OffTheWindow(Work&& work) -> std::invoke_result_t<Work> {
  using Value = std::invoke_result_t<Work>;
  if constexpr (std::is_void_v<Value>) {
    RunOffTheWindow(std::forward<Work>(work));
  } else {
    std::optional<Value> value;
    RunOffTheWindow([&] { value.emplace(work()); });
    return std::move(*value);
  }
}

}  // namespace opal::ui
