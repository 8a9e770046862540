#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/boot.h"
#include "ui/forms/printedpages.h"
#include "ui/seams/dialogs.h"
#include "ui/seams/inputdrop.h"

namespace opal::testing {
namespace {

// Counts the times a window is brought to the front.
class Raises final : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ZOrderChange) ++count;
    return QObject::eventFilter(watched, event);
  }
};

struct Asking {
  const char* name;
  bool form_busy;  // an operation has disabled the form
};

class MessageAskedByAForm : public ::testing::TestWithParam<Asking> {};

// A page that comes out while the message waits opens the Printed pages window, which must not
// cover the message nor take its keyboard.
TEST_P(MessageAskedByAForm, StaysInFrontOfItAsTheActiveWindow) {
  UiWorld world;
  ui::TFormPrintedPages pages{{.pages_folder = world.PagesFolder(), .printer_lines = {}}};
  QWidget& form = *world.forms.FormBoot;
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.setEnabled(!GetParam().form_busy);

  QWidget* box = nullptr;
  QWindow* tied_to = nullptr;
  QWidget* active = nullptr;
  int raised_after_pages = 0;
  Raises raises;
  QTimer::singleShot(0, [&] {
    box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    tied_to = box->windowHandle()->transientParent();
    box->installEventFilter(&raises);
    world.printer.Feed(kNozzleCheckPage, world.clock.Now());
    if (world.printer.WaitForPages().empty() && QTest::qWaitFor([&] { return pages.isVisible(); }))
      raised_after_pages = raises.count;
    active = QApplication::activeWindow();
    box->close();
  });
  ui::MessageBoxDialogs().Inform(QStringLiteral("Did the nozzle check print well?"));

  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(pages.isVisible());
  EXPECT_EQ(tied_to, form.windowHandle());
  EXPECT_GT(raised_after_pages, 0);
  EXPECT_EQ(active, box);
}

INSTANTIATE_TEST_SUITE_P(Forms, MessageAskedByAForm,
                         ::testing::Values(Asking{"Idle", false}, Asking{"Busy", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The program's end may be told while an operation runs with input dropped; its box must still
// take the click.
TEST(Dialogs, TheProgramsEndIsAnsweredWhileInputIsDropped) {
  UiWorld world;
  const ui::InputDropped dropped;
  bool left_open = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    for (QPushButton* button : box->findChildren<QPushButton*>()) {
      if (button->text() == "Diagnose...") QTest::mouseClick(button, Qt::LeftButton);
    }
    QTest::qWait(20);
    left_open = box->isVisible();
    if (left_open) box->close();
  });
  EXPECT_TRUE(ui::MessageBoxDialogs().ErrorOffering(QStringLiteral("Corvane Opal 310_320"),
                                                    QStringLiteral("The printer stopped."),
                                                    QStringLiteral("Diagnose...")));
  EXPECT_FALSE(left_open);
}

}  // namespace
}  // namespace opal::testing
