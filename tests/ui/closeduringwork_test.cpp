#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "tests/ui/support/adjustformtest.h"
#include "ui/forms/boot.h"
#include "ui/forms/printerwork.h"
#include "ui/panels/usbidinputpanel.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/responsivesleeper.h"

namespace opal::testing {
namespace {

using ::testing::HasSubstr;

std::string StoredUsbId(const vp::VirtualPrinter& printer) {
  const auto eeprom = printer.Eeprom();
  return {eeprom.begin() + 0x4C, eeprom.begin() + 0x4C + 10};
}

constexpr const char* kStopped =
    "Stopped when the window was closed. The printer was left as its last complete step left it.";

// The window system's close box of `form`, queued on the window's thread the first time the
// printer work waits for the port while `now` holds: the technician closes the window while the
// printer works.
void CloseDuringTheFirstWait(UiWorld& world, QWidget& form, std::function<bool()> now = {}) {
  world.session.port.SetIdle([&form, now = std::move(now), queued = false]() mutable {
    if ((!now || now()) && !std::exchange(queued, true)) {
      ui::OnTheWindow([&form] { QWindowSystemInterface::handleCloseEvent(form.windowHandle()); });
    }
    ui::PrinterIdle();
  });
}

// Runs `work` (a form's handler) and gives the notice the program ended with; empty when it went
// on.
std::string EndedWith(const std::function<void()>& work) {
  try {
    work();
  } catch (const ProgramEnded& ended) {
    return ended.notice.text;
  }
  return {};
}

class CloseDuringWork : public AdjustFormTest {
 protected:
  CloseDuringWork() : AdjustFormTest(1, true) {
    // Late replies keep the printer working while the close box comes in.
    world.printer.SetFaults({.reply_delay_ms = 20});
  }

  ui::UsbIdInputPanel& UsbIdInput(const char* id) {
    TypeUsbId(id);
    return *Form().findChild<ui::UsbIdInputPanel*>();
  }
};

// The write is one journaled entry: the stop waits for its end, so the printer holds the whole
// new ID and the journal a finished entry, never half of either.
TEST_F(CloseDuringWork, AJournaledWriteEndsWholeBeforeTheProgramEnds) {
  ui::UsbIdInputPanel& panel = UsbIdInput("AB12345678");
  world.dialogs.answers = {true};
  CloseDuringTheFirstWait(world, Form(), [this] { return world.journal->Writing(); });

  EXPECT_EQ(EndedWith([&] { panel.UsbIdInputOKBtnClick(); }), kStopped);

  ASSERT_EQ(world.dialogs.shown.size(), 1U);
  EXPECT_THAT(world.dialogs.shown[0].text.toStdString(), HasSubstr("Stop at the next point"));
  EXPECT_EQ(StoredUsbId(world.printer), "AB12345678");
  const auto entries = world.journal_store->Entries(std::nullopt);
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0].state, "done");
  EXPECT_TRUE(world.journal_store->Unsettled().empty());
  EXPECT_FALSE(world.session.port.IsOpen());
}

// Amid a stream the printer would be left with a cut page: the work may not stop there.
TEST_F(CloseDuringWork, NoStopAmidAStream) {
  const ui::WorkWatch watch = ui::PrinterWorkWatch(world.context);
  EXPECT_TRUE(watch.may_stop());
  const std::vector<uint8_t> page_start = {0x1B, 0x40};
  ASSERT_EQ(world.session.port.Hold(page_start), PORT_OK);
  EXPECT_FALSE(watch.may_stop());
  ASSERT_EQ(world.session.port.Release(), PORT_OK);
  EXPECT_TRUE(watch.may_stop());
}

TEST_F(CloseDuringWork, NoLetsTheWorkGoOnToItsOwnEnd) {
  ui::UsbIdInputPanel& panel = UsbIdInput("CD12345678");
  world.dialogs.answers = {false};
  CloseDuringTheFirstWait(world, Form());

  EXPECT_EQ(EndedWith([&] { panel.UsbIdInputOKBtnClick(); }), "");

  EXPECT_EQ(world.dialogs.shown.size(), 1U);
  EXPECT_EQ(StoredUsbId(world.printer), "CD12345678");
  EXPECT_THAT(Memo().toPlainText().toStdString(), HasSubstr("CD12345678"));
  EXPECT_TRUE(Form().isVisible());
  EXPECT_TRUE(world.session.port.IsOpen());
}

// Connecting to a printer that takes nothing waits out the port's limit; the close box ends it
// at the first wait, before anything was written.
TEST(CloseWhileConnecting, StopsBeforeAnythingIsWritten) {
  UiWorld world("320", {}, "", true);
  world.printer.SetFaults({.stall_input = true});
  const auto before = world.printer.Eeprom();
  world.Choose(1, 3, 0, 0);
  world.dialogs.answers = {true};
  CloseDuringTheFirstWait(world, *world.forms.FormBoot);

  EXPECT_EQ(EndedWith([&] { world.forms.FormBoot->PortSelectOKBtnClick(); }), kStopped);

  EXPECT_EQ(world.printer.Eeprom(), before);
  EXPECT_TRUE(world.journal_store->Entries(std::nullopt).empty());
  EXPECT_FALSE(world.session.port.IsOpen());
}

// The countdown of a long wait is a safe point of its own: a closed window ends a ten-second
// wait at once, not when it has run out.
TEST(CloseDuringACountdown, EndsTheWaitAtOnce) {
  UiWorld world;  // for the application object
  ui::ResponsiveSleeper sleeper;
  QWidget form;
  form.show();
  struct Ended {};
  const ui::WorkWatched watched({.describe = {},
                                 .ask_stop = [] { return true; },
                                 .may_stop = {},
                                 .end = [] { throw Ended{}; }});
  QElapsedTimer took;
  took.start();
  EXPECT_THROW(
      ui::OffTheWindow([&] {
        ui::OnTheWindow([&] { QWindowSystemInterface::handleCloseEvent(form.windowHandle()); });
        sleeper.Sleep(std::chrono::seconds(10));
      }),
      Ended);
  EXPECT_LT(took.elapsed(), 2000);
}

// The note over long work may take the keyboard on some platforms (this one does): the next key
// the technician presses once the work has ended must reach the form.
TEST(WorkNote, GivesTheKeyboardBackToTheFormWhenTheWorkEnds) {
  UiWorld world;  // for the application object
  QWidget form;
  QLineEdit& field = *new QLineEdit(&form);
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  field.setFocus();
  QWidget* note = nullptr;
  const ui::WorkWatched watched({.describe = [](std::chrono::milliseconds) { return QString("…"); },
                                 .ask_stop = {},
                                 .may_stop = {},
                                 .end = {}});
  ui::OffTheWindow([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1'400));
    ui::OnTheWindow([&] { note = QApplication::activeWindow(); });
  });
  EXPECT_NE(note, &form) << "the note never showed, so this proves nothing";
  EXPECT_EQ(QApplication::focusWidget(), &field);
}

TEST(PrinterWorkLine, SaysWhatThePrinterDoesAndHowFarItCame) {
  PortTraffic traffic;
  traffic.sent = 1'234'567;
  traffic.received = 96;
  traffic.doing = PortTraffic::Doing::AwaitingReply;
  EXPECT_EQ(ui::PrinterWorkLine(traffic, std::chrono::milliseconds(12'400)),
            QStringLiteral("Waiting for the printer's reply: 12 s, %1 bytes sent, 96 received.")
                .arg(QLocale().toString(1'234'567ULL)));
}

}  // namespace
}  // namespace opal::testing
