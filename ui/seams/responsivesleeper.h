#pragma once

#include <chrono>

#include "link/timing.h"
#include "ui/seams/waitcountdown.h"

namespace opal::ui {

// The waits of the forms: windows keep repainting and a countdown shows the seconds left, while
// clicks and keys made meanwhile are dropped.
class ResponsiveSleeper final : public Sleeper {
 public:
  // Waits this long or longer get a countdown; shorter ones only keep the windows painted. The
  // one-second pauses between the queries that wait for a printer to come back stay below it,
  // or a countdown box would stand for minutes.
  static constexpr std::chrono::milliseconds kCountdownFrom{2000};

  void Sleep(std::chrono::milliseconds duration) override;
  const WaitCountdown& Countdown() const { return countdown_; }

 private:
  // Printer work waits on its own thread; the countdown is still the window's.
  void SleepOffTheWindow(std::chrono::milliseconds duration);

  WaitCountdown countdown_;
};

}  // namespace opal::ui
