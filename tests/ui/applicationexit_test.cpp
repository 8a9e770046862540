#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "tests/ui/support/scripteddialogs.h"
#include "tests/ui/support/uiworld.h"
#include "ui/seams/applicationexit.h"

namespace opal::testing {
namespace {

using namespace std::chrono_literals;

// Ends the program from a connected form and tells whether everything an end must do happened:
// with a diagnosis offered beside the notice, it is given only when the technician asks for it.
bool EndedCleanly(bool offered = false, bool asked = false) {
  UiWorld world;
  world.Connect();
  ScriptedDialogs dialogs;
  dialogs.take_offers = asked;
  ui::ApplicationExit exit(dialogs);
  exit.ClosesPort(world.session.port);
  bool diagnosed = false;
  if (offered) exit.OffersDiagnosis([&diagnosed] { diagnosed = true; });
  const bool port_was_open = world.session.port.IsOpen();
  bool left_the_handler = false;
  try {
    exit.End({"caption", "the notice"});
  } catch (const ui::ApplicationEnding&) {
    left_the_handler = true;
  }
  // A wait that starts after the end returns at once instead of after its time.
  QEventLoop later_wait;
  QTimer::singleShot(10s, &later_wait, [&later_wait] { later_wait.exit(1); });
  const bool wait_returned_at_once = later_wait.exec() != 1;
  const std::vector<ShownDialog> notice{{DialogKind::Error, "the notice"}};
  return port_was_open && left_the_handler && !world.session.port.IsOpen() &&
         wait_returned_at_once && dialogs.shown == notice && diagnosed == (offered && asked);
}

// The program's own end tells the application to quit, which leaves no event loop of the process
// usable afterwards, so it runs in a process of its own that reports by its exit code; an end
// that exits the process by itself never reaches the report.
constexpr int kEndedCleanly = 3;

TEST(ApplicationExit, ShowsTheNoticeClosesThePortAndEndsEveryEventLoop) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::_Exit(EndedCleanly() ? kEndedCleanly : 1),
              ::testing::ExitedWithCode(kEndedCleanly), "");
}

TEST(ApplicationExit, DiagnosesBesideTheNoticeOnlyWhenAsked) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const bool asked : {false, true}) {
    EXPECT_EXIT(std::_Exit(EndedCleanly(true, asked) ? kEndedCleanly : 1),
                ::testing::ExitedWithCode(kEndedCleanly), "")
        << asked;
  }
}

}  // namespace
}  // namespace opal::testing
