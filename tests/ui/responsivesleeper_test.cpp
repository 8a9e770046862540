#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWindow>
#include <chrono>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/boot.h"
#include "ui/seams/responsivesleeper.h"

namespace opal::testing {
namespace {

using namespace std::chrono_literals;

TEST(ResponsiveSleeper, KeepsEventsFlowingAndCountsTheSecondsDown) {
  UiWorld world;  // for the application object
  ui::ResponsiveSleeper sleeper;
  const QLabel& countdown = Find<QLabel>(sleeper.Countdown(), "WaitCountdownLbl");
  QString shown_at_start;
  QString shown_later;
  bool visible_meanwhile = false;
  QTimer::singleShot(50ms, [&] { shown_at_start = countdown.text(); });
  QTimer::singleShot(1400ms, [&] {
    shown_later = countdown.text();
    visible_meanwhile = sleeper.Countdown().isVisible();
  });

  QElapsedTimer elapsed;
  elapsed.start();
  sleeper.Sleep(2000ms);

  EXPECT_GE(elapsed.elapsed(), 2000);
  EXPECT_EQ(shown_at_start, "Please wait: 2 s");
  EXPECT_EQ(shown_later, "Please wait: 1 s");
  EXPECT_TRUE(visible_meanwhile);
  EXPECT_FALSE(sleeper.Countdown().isVisible());
}

TEST(ResponsiveSleeper, TheCountdownStaysAboveItsOwnFormOnly) {
  UiWorld world;
  ui::ResponsiveSleeper sleeper;
  QWidget& form = *world.forms.FormBoot;
  form.activateWindow();
  QWindow* parent = nullptr;
  QTimer::singleShot(100ms, [&] {
    if (const QWindow* shown = sleeper.Countdown().windowHandle())
      parent = shown->transientParent();
  });
  sleeper.Sleep(ui::ResponsiveSleeper::kCountdownFrom);
  EXPECT_EQ(parent, form.windowHandle());
  EXPECT_FALSE(sleeper.Countdown().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(sleeper.Countdown().parentWidget(), nullptr);
}

TEST(ResponsiveSleeper, AShortWaitShowsNoCountdown) {
  UiWorld world;
  ui::ResponsiveSleeper sleeper;
  bool visible_meanwhile = true;
  QTimer::singleShot(10ms, [&] { visible_meanwhile = sleeper.Countdown().isVisible(); });
  sleeper.Sleep(100ms);
  EXPECT_FALSE(visible_meanwhile);
}

}  // namespace
}  // namespace opal::testing
