#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/about.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/quit.h"

namespace opal::testing {
namespace {

constexpr const char* kChoices[] = {"ModelNameCombo", "PortSelectionCombo", "DestinationCombo",
                                    "ProgramTypeCombo"};

// The quit form as it appears after the individual program was left.
class QuitForm : public ::testing::Test {
 protected:
  QuitForm() {
    world.Connect();
    world.forms.FormAdjust->close();
  }

  UiWorld world;
};

TEST_F(QuitForm, EnterChoosesNextWhichShowsAnEmptyStartUpForm) {
  ASSERT_TRUE(world.forms.FormQuit->isVisible());
  QTest::keyClick(world.forms.FormQuit.get(), Qt::Key_Return);
  EXPECT_FALSE(world.forms.FormQuit->isVisible());
  ASSERT_TRUE(world.forms.FormBoot->isVisible());
  for (const char* choice : kChoices) {
    EXPECT_EQ(Find<QComboBox>(*world.forms.FormBoot, choice).currentIndex(), -1) << choice;
  }
  EXPECT_TRUE(Find<QPushButton>(*world.forms.FormBoot, "PortSelectOKBtn").isEnabled());
}

TEST_F(QuitForm, EnterOnAFocusedButtonPressesThatButton) {
  QPushButton& quit = Find<QPushButton>(*world.forms.FormQuit, "QuitBtn");
  world.forms.FormQuit->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(world.forms.FormQuit.get()));
  quit.setFocus();
  QTest::keyClick(&quit, Qt::Key_Return);
  EXPECT_FALSE(world.forms.FormQuit->isVisible());
  EXPECT_FALSE(world.forms.FormBoot->isVisible());
}

TEST_F(QuitForm, NextThenOkOpensThePortAgain) {
  QTest::mouseClick(&Find<QPushButton>(*world.forms.FormQuit, "NextBtn"), Qt::LeftButton);
  ASSERT_FALSE(world.session.port.IsOpen());
  world.Connect(1, 0);
  EXPECT_TRUE(world.session.port.IsOpen());
  EXPECT_TRUE(world.forms.FormAdjust->isVisible());
  EXPECT_TRUE(world.forms.FormAdjust->isEnabled());
}

TEST_F(QuitForm, EscChoosesQuitWhichEndsTheProgram) {
  QSignalSpy ending(world.forms.FormBoot.get(), &ui::TFormBoot::ProgramEnding);
  QTest::keyClick(world.forms.FormQuit.get(), Qt::Key_Escape);
  EXPECT_FALSE(world.forms.FormQuit->isVisible());
  EXPECT_FALSE(world.forms.FormBoot->isVisible());
  EXPECT_EQ(ending.count(), 1);
}

TEST_F(QuitForm, HasNoWayOutButItsButtons) {
  EXPECT_FALSE(world.forms.FormQuit->close());
  EXPECT_TRUE(world.forms.FormQuit->isVisible());
  EXPECT_FALSE(world.forms.FormQuit->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(BootForm, EnterInAChoicePressesOkAndEscQuits) {
  UiWorld world;
  world.Choose(1, 3, 0, 0);
  QTest::keyClick(&Find<QComboBox>(*world.forms.FormBoot, "DestinationCombo"), Qt::Key_Return);
  EXPECT_TRUE(world.forms.FormAdjust->isVisible());

  UiWorld other;
  QSignalSpy ending(other.forms.FormBoot.get(), &ui::TFormBoot::ProgramEnding);
  QTest::keyClick(&Find<QComboBox>(*other.forms.FormBoot, "ModelNameCombo"), Qt::Key_Escape);
  EXPECT_FALSE(other.forms.FormBoot->isVisible());
  EXPECT_EQ(ending.count(), 1);
  EXPECT_FALSE(other.session.port.IsOpen());
}

TEST(AboutBox, ShowsTheProgramAndClosesOnEnter) {
  UiWorld world;
  ui::TAboutBox& about = *world.forms.AboutBox;
  EXPECT_EQ(about.windowTitle(), "Version");
  const QPixmap picture = Find<QLabel>(about, "Image1").pixmap();
  EXPECT_EQ(picture.size(), QSize(64, 64));
  EXPECT_EQ(Find<QLabel>(about, "Label1").text(), "Corvane Opal 310/320");
  EXPECT_EQ(Find<QLabel>(about, "Version").text(), "Version 1.1");

  QTimer::singleShot(0, [&] { QTest::keyClick(&about, Qt::Key_Return); });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace opal::testing
