#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/sequence.h"
#include "ui/seams/dialogs.h"
#include "ui/seams/inputdrop.h"
#include "ui/seams/printerworker.h"

namespace opal::testing {
namespace {

// Input as the window system hands it over: queued, and delivered the next time the program's
// event loop runs. (QTest's own events arrive at once and could never be held back.)
void QueueClick(QWidget& control) {
  QWidget& form = *control.window();
  const QPointF local = control.mapTo(&form, control.rect().center());
  const QPointF global = control.mapToGlobal(control.rect().center());
  QWindowSystemInterface::handleMouseEvent(form.windowHandle(), local, global, Qt::LeftButton,
                                           Qt::LeftButton, QEvent::MouseButtonPress);
  QWindowSystemInterface::handleMouseEvent(form.windowHandle(), local, global, Qt::NoButton,
                                           Qt::LeftButton, QEvent::MouseButtonRelease);
}

void QueueEnter(QWidget& form) {
  for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QWindowSystemInterface::handleKeyEvent(form.windowHandle(), type, Qt::Key_Return,
                                           Qt::NoModifier, QStringLiteral("\r"));
  }
}

void QueueCloseBox(QWidget& form) {
  QWindowSystemInterface::handleCloseEvent(form.windowHandle());
}

// What the event loop does once an operation has returned: whatever is still queued is delivered.
void ReturnToTheEventLoop() {
  QWindowSystemInterface::sendWindowSystemEvents(QEventLoop::AllEvents);
  QCoreApplication::processEvents();
}

// Runs `queue` once on the window's thread, the first time the port waits for the printer, as a
// technician clicks while an operation is under way.
void QueueDuringTheFirstWait(UiWorld& world, std::function<void()> queue) {
  world.session.port.SetIdle([queue = std::move(queue), queued = false]() mutable {
    if (!std::exchange(queued, true)) ui::OnTheWindow(queue);
    ui::PrinterIdle();
  });
}

std::size_t Occurrences(const std::vector<uint8_t>& bytes, std::string_view text) {
  std::size_t count = 0;
  for (auto at = bytes.begin();
       (at = std::search(at, bytes.end(), text.begin(), text.end())) != bytes.end(); ++at) {
    ++count;
  }
  return count;
}

TEST(InputDrop, ADoubleClickOnTheRepairFormsBidPrintPrintsOnce) {
  UiWorld world;
  world.Connect(1, 1);
  QTest::mouseClick(&Find<QWidget>(*world.forms.FormBootSequential, "SeqRepairPnl4"),
                    Qt::LeftButton);
  auto& print = Find<QPushButton>(*world.forms.FormSequentialRepair, "BidPrintBtn");
  ASSERT_TRUE(print.isVisible());
  // Late replies make the print wait for the printer, where the second click comes in.
  world.printer.SetFaults({.reply_delay_ms = 200});
  QueueDuringTheFirstWait(world, [&] { QueueClick(print); });

  QTest::mouseClick(&print, Qt::LeftButton);
  ReturnToTheEventLoop();

  EXPECT_EQ(Occurrences(world.Capture(), "Bi-D check pattern"), 1u);
  EXPECT_TRUE(world.forms.FormSequentialRepair->isEnabled());
}

struct QueuedInput {
  const char* name;
  std::function<void(ui::TFormBoot& boot)> queue;
  // A close box while the printer works asks whether to stop; answered No, it is dropped too.
  bool asks_while_busy = false;
};

const QueuedInput kInputs[] = {
    {"ClickOnQuit", [](ui::TFormBoot& boot) { QueueClick(Find<QWidget>(boot, "ProEndBtn")); }},
    {"EnterForOk", [](ui::TFormBoot& boot) { QueueEnter(boot); }},
    {"CloseBox", [](ui::TFormBoot& boot) { QueueCloseBox(boot); }, true},
};

class InputOnTheStartUpForm : public ::testing::TestWithParam<QueuedInput> {
 protected:
  InputOnTheStartUpForm() {
    // A printer that takes nothing: OK waits the full limit, then leaves the choices.
    world.printer.SetFaults({.stall_input = true});
    boot.activateWindow();
    QApplication::setActiveWindow(&boot);
  }
  // Quit or the close box ends the program; Enter starts another connection, told by a dialog.
  int Acted() const { return ending.count() + static_cast<int>(world.dialogs.shown.size()); }

  UiWorld world;
  ui::TFormBoot& boot = *world.forms.FormBoot;
  QSignalSpy ending{&boot, &ui::TFormBoot::ProgramEnding};
};

TEST_P(InputOnTheStartUpForm, ActsWhenNothingRuns) {
  world.Choose(1, 3, 0, 0);
  GetParam().queue(boot);
  ReturnToTheEventLoop();
  EXPECT_EQ(Acted(), 1);
}

TEST_P(InputOnTheStartUpForm, MadeWhileConnectingIsNeverCarriedOut) {
  if (GetParam().asks_while_busy) world.dialogs.answers = {false};
  QueueDuringTheFirstWait(world, [this] { GetParam().queue(boot); });
  world.Connect();
  ReturnToTheEventLoop();

  // Only the failed start itself was told, after the question a close box asks.
  EXPECT_EQ(Acted(), GetParam().asks_while_busy ? 2 : 1);
  EXPECT_TRUE(boot.isVisible());
  EXPECT_TRUE(boot.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(EachKind, InputOnTheStartUpForm, ::testing::ValuesIn(kInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InputDrop, AQuestionAskedWhileInputIsDroppedStillTakesItsAnswer) {
  UiWorld world;  // for the application object
  ui::MessageBoxDialogs dialogs;
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    // A dropped answer would leave the question standing for ever: the test ends it instead.
    box->hide();
  });
  const ui::InputDropped operation_running;
  EXPECT_TRUE(dialogs.Confirm(QStringLiteral("Go on?")));
}

}  // namespace
}  // namespace opal::testing
