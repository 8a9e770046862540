#include "ui/seams/responsivesleeper.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <thread>

#include "ui/seams/inputdrop.h"
#include "ui/seams/printerworker.h"

namespace opal::ui {
namespace {

constexpr std::chrono::milliseconds kCountdownTick{200};

}  // namespace

void ResponsiveSleeper::Sleep(std::chrono::milliseconds duration) {
  if (!OnWindowThread()) {
    SleepOffTheWindow(duration);
    return;
  }
  const QDeadlineTimer deadline(duration, Qt::PreciseTimer);
  const bool counted = duration >= kCountdownFrom;
  if (counted) countdown_.Begin(duration);

  QEventLoop loop;
  QTimer end;
  end.setSingleShot(true);
  end.setTimerType(Qt::PreciseTimer);
  QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
  end.start(duration);
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    countdown_.ShowRemaining(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
  });
  if (counted) tick.start(kCountdownTick);
  {
    const InputDropped dropped;
    loop.exec();
    // What came in as the wait ended must not wait for the next event loop either.
    QCoreApplication::processEvents();
  }
  countdown_.hide();
}

void ResponsiveSleeper::SleepOffTheWindow(std::chrono::milliseconds duration) {
  const QDeadlineTimer deadline(duration, Qt::PreciseTimer);
  const bool counted = duration >= kCountdownFrom;
  if (counted) OnTheWindow([&] { countdown_.Begin(duration); });
  for (auto left = duration; left.count() > 0;
       left = std::chrono::duration_cast<std::chrono::milliseconds>(
           deadline.remainingTimeAsDuration())) {
    StopWorkIfAsked();
    std::this_thread::sleep_for(std::min(left, kCountdownTick));
    if (counted) {
      OnTheWindow([&] {
        countdown_.ShowRemaining(std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline.remainingTimeAsDuration()));
      });
    }
  }
  if (counted) OnTheWindow([&] { countdown_.hide(); });
}

}  // namespace opal::ui
