#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <private/qevent_p.h>
#include <QApplication>
#include <QCloseEvent>
#include <QSignalSpy>
#include <QTest>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/quit.h"
#include "ui/forms/sequence.h"
#include "ui/widgets/clickablepanel.h"

namespace opal::testing {
namespace {

const QString kReturnQuestion = "Are you sure to return to first menu?";

enum class Form { Boot, Adjust, Quit, Menu, Repair };
enum class Way { CloseBox, Esc };

QWidget& FormOf(UiWorld& world, Form form) {
  switch (form) {
    case Form::Boot:
      return *world.forms.FormBoot;
    case Form::Adjust:
      return *world.forms.FormAdjust;
    case Form::Quit:
      return *world.forms.FormQuit;
    case Form::Menu:
      return *world.forms.FormBootSequential;
    case Form::Repair:
      return *world.forms.FormSequentialRepair;
  }
  throw std::logic_error("no such form");
}

// Brings the form up as a technician meets it: the repair form in the middle of repair 2.
void Reach(UiWorld& world, Form form) {
  if (form == Form::Boot) return;
  world.Connect(1, form == Form::Menu || form == Form::Repair ? 1 : 0);
  if (form == Form::Quit) world.forms.FormAdjust->close();
  if (form == Form::Repair) {
    QTest::mouseClick(&Find<ui::ClickablePanel>(*world.forms.FormBootSequential, "SeqRepairPnl2"),
                      Qt::LeftButton);
  }
}

// What the window system sends for the close box (notify keeps the spontaneous mark).
void ClickCloseBox(QWidget& form) {
  QCloseEvent close;
  QSpontaneKeyEvent::setSpontaneous(&close);
  QApplication::instance()->notify(&form, &close);
}

struct Case {
  const char* name;
  Form form;
  Way way;
  bool question;      // "Are you sure to return to first menu?", answered No
  Form shown;         // the form on screen afterwards
  bool program_ends;  // the start-up form's ProgramEnding
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
  return out << c.name;
}

const Case kCases[] = {
    {"StartUpCloseBoxEndsTheProgram", Form::Boot, Way::CloseBox, false, Form::Boot, true},
    {"StartUpEscQuits", Form::Boot, Way::Esc, false, Form::Boot, true},
    {"IndividualCloseBoxGoesToTheQuitForm", Form::Adjust, Way::CloseBox, false, Form::Quit, false},
    {"IndividualEscDoesNothing", Form::Adjust, Way::Esc, false, Form::Adjust, false},
    {"QuitFormHasNoCloseBox", Form::Quit, Way::CloseBox, false, Form::Quit, false},
    {"QuitFormEscQuits", Form::Quit, Way::Esc, false, Form::Quit, true},
    {"MenuCloseBoxGoesToTheQuitForm", Form::Menu, Way::CloseBox, false, Form::Quit, false},
    {"MenuEscDoesNothing", Form::Menu, Way::Esc, false, Form::Menu, false},
    {"RepairCloseBoxAsksLikeTopMenu", Form::Repair, Way::CloseBox, true, Form::Repair, false},
    {"RepairEscDoesNothing", Form::Repair, Way::Esc, false, Form::Repair, false},
};

class CloseBoxAndEsc : public ::testing::TestWithParam<Case> {};

TEST_P(CloseBoxAndEsc, LeaveTheFormAsItsButtonsDo) {
  const Case& c = GetParam();
  UiWorld world;
  Reach(world, c.form);
  QWidget& form = FormOf(world, c.form);
  ASSERT_TRUE(form.isVisible());
  QSignalSpy ending(world.forms.FormBoot.get(), &ui::TFormBoot::ProgramEnding);
  if (c.question) world.dialogs.answers = {false};
  if (c.way == Way::CloseBox) {
    ClickCloseBox(form);
  } else {
    QTest::keyClick(&form, Qt::Key_Escape);
  }
  const auto asked = std::count(world.dialogs.shown.begin(), world.dialogs.shown.end(),
                                ShownDialog{DialogKind::Confirm, kReturnQuestion});
  EXPECT_EQ(asked, c.question ? 1 : 0);
  EXPECT_EQ(ending.count(), c.program_ends ? 1 : 0);
  if (!c.program_ends) {
    EXPECT_TRUE(FormOf(world, c.shown).isVisible());
  }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, CloseBoxAndEsc, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace opal::testing
