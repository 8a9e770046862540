#pragma once

namespace opal::ui {

// While an operation runs, the technician's clicks, keys and close boxes must neither start a
// second command nor wait in the queue and run once the first has ended: they are dropped.
// Paint, timer and window events go on, so the windows stay alive. Scopes nest.
class InputDropped {
 public:
  InputDropped();
  ~InputDropped();
  InputDropped(const InputDropped&) = delete;
  InputDropped& operator=(const InputDropped&) = delete;
};

// A modal dialog asked in the middle of an operation still takes its answer.
class InputDropSuspended {
 public:
  InputDropSuspended();
  ~InputDropSuspended();
  InputDropSuspended(const InputDropSuspended&) = delete;
  InputDropSuspended& operator=(const InputDropSuspended&) = delete;
};

// One pass of the event loop with input dropped: the port's idle hook, and the last thing an
// operation does, so that nothing clicked meanwhile is left queued.
void ProcessEventsDroppingInput();

}  // namespace opal::ui
