#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <ostream>
#include <string>

#include "link/forceexit.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/forms/quit.h"
#include "ui/panels/operationpanel.h"
#include "ui/seams/screencursor.h"
#include "ui/widgets/radiogroup.h"

namespace opal::testing {
namespace {

using opal::StatusMode;
using ui::AdjustedItem;
using ui::RadioGroup;

constexpr const char* kMenus[] = {"AdjustRdoGrp", "MainteRdoGrp", "PatternPrnItemsRdoGrp",
                                  "AppendixRdoGrp"};

constexpr const char* kAllPanels[] = {
    "HdVolPnl",         "HdVolWrtPnl",   "BidPnl",          "BidPrintPnl",     "BidInputPnl",
    "UsbIdPnl",         "UsbIdInputPnl", "CleaningPnl",     "ChargePnl",       "ExchangePnl1",
    "ExchangePnl2",     "CounterPnl",    "CounterCheckPnl", "CounterClearPnl", "A4CheckPrnPnl",
    "ZLICInfoItemsPnl", "ZLICInfoPnl",   "EepromCheckPnl",  "EepromReadPnl",   "EepromGridPnl",
    "EepromWritePnl"};

constexpr const char* kAdjustedFields[] = {"ShowHdVolIDPnl", "ShowMsBkPnl",  "Show6plBkPnl",
                                           "Show4plBkPnl",   "ShowMsClPnl",  "Show6plClPnl",
                                           "Show4plClPnl",   "ShowUSBIDLbl", "ShowProCounterPnl"};

// The individual adjustment form, reached the way a technician reaches it.
class AdjustForm : public ::testing::Test {
 protected:
  AdjustForm() { world.Connect(); }

  ui::TFormAdjust& Form() { return *world.forms.FormAdjust; }
  QPlainTextEdit& Memo() { return Find<QPlainTextEdit>(Form(), "StatusMemo"); }
  QTabWidget& Tabs() { return Find<QTabWidget>(Form(), "AdjustmentTab"); }
  RadioGroup& Menu(const char* name) { return Find<RadioGroup>(Form(), name); }

  // Opens the menu's tab and clicks its item.
  void Pick(const char* menu, int item) {
    RadioGroup& group = Menu(menu);
    for (int page = 0; page < Tabs().count(); ++page) {
      if (Tabs().widget(page)->isAncestorOf(&group)) {
        QTest::mouseClick(Tabs().tabBar(), Qt::LeftButton, {},
                          Tabs().tabBar()->tabRect(page).center());
      }
    }
    // On its round mark: the button takes clicks on its mark and its text only.
    QRadioButton* button = group.findChildren<QRadioButton*>().at(item);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  std::vector<std::string> VisiblePanels() {
    std::vector<std::string> visible;
    for (const char* name : kAllPanels) {
      if (Find<ui::OperationPanel>(Form(), name).isVisibleTo(&Form())) visible.push_back(name);
    }
    if (Find<QWidget>(Form(), "CanvasPnl").isVisibleTo(&Form())) visible.push_back("CanvasPnl");
    return visible;
  }

  std::vector<int> MenuIndexes() {
    std::vector<int> indexes;
    for (const char* menu : kMenus) indexes.push_back(Menu(menu).ItemIndex());
    return indexes;
  }

  QColor MemoColour() { return Memo().palette().color(QPalette::Text); }

  UiWorld world;
};

struct MenuCase {
  const char* menu;
  int item;
  const char* panel;
};

void PrintTo(const MenuCase& c, std::ostream* out) {
  *out << c.menu << " item " << c.item;
}

class MenuItems : public AdjustForm, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuItems, OpenTheirPanelAlone) {
  const MenuCase& c = GetParam();
  Memo().setPlainText("left over");
  Pick(c.menu, c.item);
  EXPECT_THAT(VisiblePanels(), ::testing::ElementsAre(c.panel));
  EXPECT_EQ(Menu(c.menu).ItemIndex(), c.item);
  EXPECT_EQ(Memo().toPlainText(), "");
  // Its title, the first label it holds (the panels name their titles differently).
  const auto* title = Find<QWidget>(Form(), c.panel).findChild<QLabel*>();
  ASSERT_NE(title, nullptr);
  EXPECT_FALSE(title->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(TheMenuTable, MenuItems,
                         ::testing::Values(MenuCase{"AdjustRdoGrp", 0, "HdVolPnl"},
                                           MenuCase{"AdjustRdoGrp", 1, "BidPnl"},
                                           MenuCase{"AdjustRdoGrp", 2, "UsbIdPnl"},
                                           MenuCase{"MainteRdoGrp", 0, "CleaningPnl"},
                                           MenuCase{"MainteRdoGrp", 1, "ChargePnl"},
                                           MenuCase{"MainteRdoGrp", 2, "ExchangePnl1"},
                                           MenuCase{"MainteRdoGrp", 3, "CounterPnl"},
                                           MenuCase{"PatternPrnItemsRdoGrp", 0, "A4CheckPrnPnl"},
                                           MenuCase{"AppendixRdoGrp", 0, "ZLICInfoItemsPnl"},
                                           MenuCase{"AppendixRdoGrp", 1, "EepromCheckPnl"}));

TEST_F(AdjustForm, OnlyTheLastPickIsMarkedAcrossAllTabs) {
  Pick("AppendixRdoGrp", 1);
  Pick("AdjustRdoGrp", 1);
  EXPECT_THAT(VisiblePanels(), ::testing::ElementsAre("BidPnl"));
  EXPECT_THAT(MenuIndexes(), ::testing::ElementsAre(1, -1, -1, -1));
}

TEST_F(AdjustForm, ChangingTheTabEmptiesTheMemoAndShowsTheEmptyCanvas) {
  Pick("MainteRdoGrp", 2);
  Memo().setPlainText("a message");
  QTest::mouseClick(Tabs().tabBar(), Qt::LeftButton, {}, Tabs().tabBar()->tabRect(2).center());
  EXPECT_EQ(Tabs().currentIndex(), 2);
  EXPECT_THAT(VisiblePanels(), ::testing::ElementsAre("CanvasPnl"));
  EXPECT_THAT(MenuIndexes(), ::testing::ElementsAre(-1, -1, -1, -1));
  EXPECT_EQ(Memo().toPlainText(), "");
}

TEST_F(AdjustForm, PanelResetHidesEveryPanelAndKeepsTheTextOnlyWhenAsked) {
  for (const char* name : kAllPanels) Find<ui::OperationPanel>(Form(), name).show();
  Form().SetStatusMemoVisible(false);
  Form().ShowStatus(StatusMode::Error, "kept");

  Form().ResetPanels(true);
  EXPECT_TRUE(VisiblePanels().empty());
  EXPECT_TRUE(Memo().isVisible());
  EXPECT_EQ(Memo().toPlainText(), "kept");
  EXPECT_EQ(MemoColour(), QColor(Qt::black));

  Form().ResetPanels(false);
  EXPECT_EQ(Memo().toPlainText(), "");
}

struct StatusCase {
  StatusMode mode;
  const char* memo;
  Qt::GlobalColor colour;
  bool hourglass;
  bool enabled;
  bool timer_on;
};

void PrintTo(const StatusCase& c, std::ostream* out) {
  *out << "mode " << int(c.mode);
}

class StatusModes : public AdjustForm, public ::testing::WithParamInterface<StatusCase> {};

// Every case starts from a busy form, so what a mode leaves unchanged shows.
TEST_P(StatusModes, SetTextColourCursorAndEnabledStateAsTheModeSays) {
  const StatusCase& c = GetParam();
  QTimer& timer = Find<QTimer>(Form(), "DisableTimer");
  timer.stop();
  Form().ShowStatus(StatusMode::Busy, "Busy now.");
  ASSERT_FALSE(Form().isEnabled());

  Form().ShowStatus(c.mode, "Next");

  EXPECT_EQ(Memo().toPlainText(), c.memo);
  EXPECT_EQ(MemoColour(), QColor(c.colour));
  EXPECT_EQ(ui::HourglassShown(), c.hourglass);
  EXPECT_EQ(Form().isEnabled(), c.enabled);
  EXPECT_EQ(timer.isActive(), c.timer_on);
}

INSTANTIATE_TEST_SUITE_P(
    AllSix, StatusModes,
    ::testing::Values(StatusCase{StatusMode::Plain, "Next", Qt::black, true, false, false},
                      StatusCase{StatusMode::Done, "Next", Qt::black, false, false, true},
                      StatusCase{StatusMode::Busy, "Next", Qt::blue, true, false, false},
                      StatusCase{StatusMode::Error, "Next", Qt::red, false, true, false},
                      StatusCase{StatusMode::Append, "Busy now.Next", Qt::blue, true, false, false},
                      StatusCase{StatusMode::NewLine, "Busy now.\nNext", Qt::blue, true, false,
                                 false}));

TEST_F(AdjustForm, ADoneOperationLeavesTheFormDisabledForOneSecond) {
  QTimer& timer = Find<QTimer>(Form(), "DisableTimer");
  Form().ShowStatus(StatusMode::Busy, "Working.");
  Form().ShowStatus(StatusMode::Done, "Done.");
  EXPECT_FALSE(Form().isEnabled());
  EXPECT_EQ(timer.interval(), 1000);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Form().isEnabled(); }, 5000));
  EXPECT_FALSE(timer.isActive());
}

TEST_F(AdjustForm, TheTimerDoesNotEnableAFormThatIsBusyAgain) {
  Form().ShowStatus(StatusMode::Done, "First part done.");
  Form().ShowStatus(StatusMode::Busy, "Second part.");
  Form().DisableTimerTimer();
  EXPECT_FALSE(Form().isEnabled());
}

// What the window system sends when the technician clicks the close box (delivered with notify:
// sendEvent would take the spontaneous mark off).
bool CloseBoxClicked(QWidget& form) {
  QCloseEvent close;
  QSpontaneKeyEvent::setSpontaneous(&close);
  QApplication::instance()->notify(&form, &close);
  return close.isAccepted();
}

TEST_F(AdjustForm, ABusyFormIgnoresItsCloseBox) {
  Form().ShowStatus(StatusMode::Busy, "Working.");
  EXPECT_FALSE(CloseBoxClicked(Form()));
  Form().ShowStatus(StatusMode::Done, "Done.");
  EXPECT_FALSE(CloseBoxClicked(Form()));
  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_TRUE(world.session.port.IsOpen());
}

TEST_F(AdjustForm, TheProgramClosesTheFormWhileItIsStillDisabled) {
  Form().ShowStatus(StatusMode::Busy, "Resetting data.");
  Form().ShowStatus(StatusMode::Done, "Reset.");
  Form().CloseWithoutInitialisation();
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(world.forms.FormQuit->isVisible());
  EXPECT_FALSE(Form().NoInitOnClose);
}

TEST_F(AdjustForm, ResultCodesShowTheirMessages) {
  const std::pair<int, const char*> table[] = {{0x1000, "Head ID is invalid."},
                                               {0x1001, "The Number of digit is wrong."},
                                               {0x1002, "First Digit is wrong."},
                                               {0x1003, "Second Digit is wrong."},
                                               {0x1004, "Third Digit is wrong."},
                                               {0x1005, "Fourth Digit is wrong."},
                                               {0x1006, "Fifth Digit is wrong."},
                                               {0x1007, "6th Digit is wrong."},
                                               {0x1008, "7th Digit is wrong."},
                                               {0x1009, "8th Digit is wrong."},
                                               {0x100A, "9th Digit is wrong."},
                                               {0x100B, "10th Digit is wrong."},
                                               {0x100C, "11th Digit is wrong."},
                                               {0x100D, "12th Digit is wrong."},
                                               {0x100E, "13th Digit is wrong."},
                                               {0x100F, "Check ID is invalid."},
                                               {-8193, "Receive error"},
                                               {-105, "Cannot open port."},
                                               {-104, "Receive error"},
                                               {-103, "Transmission error"},
                                               {-82, "Receive error"},
                                               {-81, "Transmission error"},
                                               {0x3011, ""},
                                               {0x2001, ""},
                                               {0x5003, ""},
                                               {0, ""},
                                               {1, ""}};
  for (const auto& [code, text] : table) {
    Form().ShowStatus(StatusMode::Plain, "previous text");
    Form().ShowResultCode(StatusMode::Error, static_cast<Result>(code));
    EXPECT_EQ(Memo().toPlainText(), text) << code;
    EXPECT_EQ(MemoColour(), QColor(Qt::red)) << code;
  }
}

// The state a technician leaves behind: a menu item, another tab, a message and written values.
class ClosingAdjustForm : public AdjustForm {
 protected:
  ClosingAdjustForm() {
    Pick("AdjustRdoGrp", 1);
    Pick("AppendixRdoGrp", 0);
    Form().ShowStatus(StatusMode::Plain, "Something was done.");
    Form().SetAdjustedItem(AdjustedItem::HeadId, "ABCDEFGHIJKLM");
    Form().SetAdjustedItem(AdjustedItem::Pl4Color, "-12");
    Form().SetAdjustedItem(AdjustedItem::UsbId, "SN12345678");
    Form().SetAdjustedItem(AdjustedItem::ProtectionCounter, "42");
    captured_before_close = world.Capture().size();
  }

  void ExpectLeftForTheQuitForm() {
    EXPECT_FALSE(world.session.port.IsOpen());
    EXPECT_FALSE(Form().isVisible());
    EXPECT_TRUE(world.forms.FormQuit->isVisible());
    EXPECT_FALSE(ui::HourglassShown());
    EXPECT_THAT(VisiblePanels(), ::testing::ElementsAre("CanvasPnl"));
    EXPECT_THAT(MenuIndexes(), ::testing::ElementsAre(-1, -1, -1, -1));
    EXPECT_EQ(Tabs().currentWidget()->objectName(), "TabSheet1");
    for (const char* field : kAdjustedFields) {
      EXPECT_EQ(Find<QLabel>(Form(), field).text(), "") << field;
    }
    EXPECT_FALSE(Form().NoInitOnClose);
  }

  std::vector<uint8_t> SentSinceSetUp() {
    const std::vector<uint8_t> all = world.Capture();
    return {all.begin() + static_cast<long>(captured_before_close), all.end()};
  }

  std::size_t captured_before_close = 0;
};

TEST_F(ClosingAdjustForm, InitialisesThePrinterWaitsAndShowsTheQuitForm) {
  QTest::mouseClick(&Find<QPushButton>(Form(), "IndivisualAdjustQuitBtn"), Qt::LeftButton);

  EXPECT_THAT(
      world.dialogs.shown,
      ::testing::ElementsAre(ShownDialog{
          DialogKind::Inform,
          "This program starts to initialize the printer.\nPlease wait about 30 seconds."}));
  EXPECT_EQ(SentSinceSetUp(), kInitializeFrame);
  EXPECT_THAT(world.clock.Slept(), ::testing::Contains(std::chrono::milliseconds(25'000)));
  EXPECT_EQ(Memo().toPlainText(), "");
  ExpectLeftForTheQuitForm();
}

TEST_F(ClosingAdjustForm, AfterTheDataResetSkipsTheInitialisationOnce) {
  Form().CloseWithoutInitialisation();
  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_TRUE(SentSinceSetUp().empty());
  EXPECT_THAT(world.clock.Slept(),
              ::testing::Not(::testing::Contains(std::chrono::milliseconds(25'000))));
  ExpectLeftForTheQuitForm();

  QTest::mouseClick(&Find<QPushButton>(*world.forms.FormQuit, "NextBtn"), Qt::LeftButton);
  world.Connect();
  Form().close();
  EXPECT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_TRUE(EndsWith(world.Capture(), kInitializeFrame));
}

TEST_F(ClosingAdjustForm, AFailedInitialisationIsShownInRedAndTheWaitStillFollows) {
  world.printer.SetFaults({.stall_input = true});
  Form().close();
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_THAT(world.clock.Slept(), ::testing::Contains(std::chrono::milliseconds(25'000)));
  EXPECT_TRUE(world.forms.FormQuit->isVisible());
}

TEST_F(ClosingAdjustForm, APrinterThatNoLongerAnswersEndsTheProgram) {
  world.printer.SetFaults({.silent = true});
  try {
    Form().FormClose();
    FAIL() << "the program went on";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.notice.text, kForceExitText);
  }
  EXPECT_FALSE(world.session.port.IsOpen());
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_TRUE(SentSinceSetUp().empty());
}

}  // namespace
}  // namespace opal::testing
