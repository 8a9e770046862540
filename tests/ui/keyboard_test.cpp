#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "tests/ui/support/bidrows.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/formwindow.h"
#include "ui/forms/printedpages.h"
#include "ui/forms/sequence.h"
#include "ui/panels/panelid.h"
#include "ui/widgets/clickablepanel.h"
#include "virtualprinter/grading.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::testing {
namespace {

// The object names Tab visits from the focus the form opens with, once round.
QStringList TabStops() {
  QStringList stops;
  QWidget* first = QApplication::focusWidget();
  if (first == nullptr) return stops;
  stops << first->objectName();
  for (int stop = 0; stop < 40; ++stop) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* now = QApplication::focusWidget();
    if (now == nullptr || now == first) break;
    stops << now->objectName();
  }
  return stops;
}

void Activate(QWidget& form) {
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

QWidget* Focused() {
  return QApplication::focusWidget();
}

void Press(Qt::Key key, int times = 1) {
  for (int press = 0; press < times; ++press) QTest::keyClick(Focused(), key);
}

// Each form's tab stops from the focus it opens with: nothing hidden or read-only in between.
TEST(TabOrder, EachFormOpensWithItsFirstChoiceAndStopsOnlyWhereATechnicianActs) {
  UiWorld world;
  Activate(*world.forms.FormBoot);
  EXPECT_EQ(TabStops(), QStringList({"ModelNameCombo", "PortSelectionCombo", "DestinationCombo",
                                     "ProgramTypeCombo", "PortSelectOKBtn", "ProEndBtn"}));
  world.Connect(1, 0);
  Activate(*world.forms.FormAdjust);
  const QStringList adjust = TabStops();
  ASSERT_FALSE(adjust.isEmpty());
  EXPECT_EQ(adjust.front(), "qt_tabwidget_tabbar");
  EXPECT_EQ(adjust.back(), "IndivisualAdjustQuitBtn");
  EXPECT_FALSE(adjust.contains("StatusMemo"));
  // An open panel's controls, made after the form's own, still come before the way out.
  world.forms.FormAdjust->ShowPanel(ui::PanelId::HeadIdInput);
  Find<QWidget>(*world.forms.FormAdjust, "qt_tabwidget_tabbar").setFocus();
  const QStringList with_panel = TabStops();
  EXPECT_LT(with_panel.indexOf("HdVolWrtEdit"), with_panel.indexOf("HdVolWrtOKBtn"));
  EXPECT_EQ(with_panel.back(), "IndivisualAdjustQuitBtn");

  UiWorld repairs;
  repairs.Connect(1, 1);
  Activate(*repairs.forms.FormBootSequential);
  EXPECT_EQ(TabStops(), QStringList({"SeqRepairPnl1", "SeqRepairPnl2", "SeqRepairPnl3",
                                     "SeqRepairPnl4", "SeqRepairPnl5", "SeqRepairPnl6",
                                     "SeqRepairPnl7", "SequentialFormBootQuitBtn"}));
}

TEST(Keyboard, TheStartUpFormIsFilledAndConfirmedWithoutAMouse) {
  UiWorld world;
  Activate(*world.forms.FormBoot);
  // Down picks from a closed combo; Enter on the last combo presses OK on every desktop.
  const std::pair<const char*, int> choices[] = {{"ModelNameCombo", 2},
                                                 {"PortSelectionCombo", 4},
                                                 {"DestinationCombo", 1},
                                                 {"ProgramTypeCombo", 1}};
  for (std::size_t choice = 0; choice < std::size(choices); ++choice) {
    ASSERT_EQ(Focused()->objectName(), choices[choice].first);
    Press(Qt::Key_Down, choices[choice].second);
    if (choice + 1 < std::size(choices)) Press(Qt::Key_Tab);
  }
  Press(Qt::Key_Return);
  EXPECT_TRUE(world.session.port.IsOpen());
  EXPECT_TRUE(world.forms.FormAdjust->isVisible());
}

TEST(Keyboard, EnterOnARadioButtonPressesTheFormsDefaultButton) {
  UiWorld world;
  world.Connect(1, 0);
  Activate(*world.forms.FormAdjust);
  Press(Qt::Key_Tab);
  ASSERT_TRUE(qobject_cast<QRadioButton*>(Focused()));
  // Space chooses the item, whose panel comes with its default button; the focus stays put.
  Press(Qt::Key_Space);
  QPushButton* default_button = nullptr;
  for (QPushButton* button : world.forms.FormAdjust->findChildren<QPushButton*>()) {
    if (button->isDefault() && button->isVisible()) default_button = button;
  }
  ASSERT_NE(default_button, nullptr);
  QSignalSpy pressed(default_button, &QPushButton::clicked);
  Press(Qt::Key_Return);
  EXPECT_EQ(pressed.count(), 1);
}

// Repair 2 from the menu to its completion panel on the training printer: every key a
// technician presses, each step's Complete leading to the next step.
TEST(Keyboard, ARepairChainRunsFromTheMenuWithoutAMouse) {
  UiWorld world("320", {}, "new-head");
  world.Connect(1, 1);
  Activate(*world.forms.FormBootSequential);
  Press(Qt::Key_Tab);
  ASSERT_EQ(Focused()->objectName(), "SeqRepairPnl2");
  Press(Qt::Key_Space);
  auto& repair = *world.forms.FormSequentialRepair;
  ASSERT_TRUE(repair.isVisible());
  Activate(repair);
  const vp::Simulation printer = world.printer.GetSimulation();

  ASSERT_EQ(Focused()->objectName(), "HdVolWrtEdit");
  QTest::keyClicks(Focused(), QString::fromStdString(printer.head_label));
  Press(Qt::Key_Return);
  ASSERT_EQ(Focused()->objectName(), "HdVolWrtCompleteBtn");
  Press(Qt::Key_Return);

  ASSERT_EQ(Focused()->objectName(), "Repair2InkChargePnl");
  Press(Qt::Key_Return);
  ASSERT_EQ(Focused()->objectName(), "ChargeOKBtn");
  world.dialogs.answers.push_back(true);
  Press(Qt::Key_Return);
  ASSERT_EQ(Focused()->objectName(), "InkChargeCompleteBtn");
  Press(Qt::Key_Return);

  ASSERT_EQ(Focused()->objectName(), "Repair2NozzleCheckPnl");
  Press(Qt::Key_Space);
  ASSERT_EQ(Focused()->objectName(), "NozzleCheckOKBtn");
  Press(Qt::Key_Return);
  ASSERT_EQ(Focused()->objectName(), "NozzleCheckCompleteBtn");
  Press(Qt::Key_Return);

  ASSERT_EQ(Focused()->objectName(), "Repair2BidPnl");
  Press(Qt::Key_Return);
  ASSERT_EQ(Focused()->objectName(), "BidPrintBtn");
  Press(Qt::Key_Return);
  Press(Qt::Key_Tab);
  ASSERT_EQ(Focused()->objectName(), "BidAdjustBtn");
  Press(Qt::Key_Return);
  // Each row: Space ticks the box, Tab goes to its field, the value replaces what is there.
  for (std::size_t row = 0; row < kBidBoxes.size(); ++row) {
    ASSERT_EQ(Focused()->objectName(), kBidBoxes[row]);
    Press(Qt::Key_Space);
    Press(Qt::Key_Tab);
    ASSERT_EQ(Focused()->objectName(), kBidEdits[row]);
    QTest::keyClick(Focused(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Focused(), QString::number(printer.bid_misalignment[row]));
    if (row + 1 < kBidBoxes.size()) Press(Qt::Key_Tab);
  }
  // Enter in a field writes the values; Complete then has the focus.
  Press(Qt::Key_Return);
  ASSERT_TRUE(Focused()->objectName().endsWith("CompleteBtn"))
      << Focused()->objectName().toStdString();
  Press(Qt::Key_Return);
  EXPECT_EQ(repair.StepState(), ui::STEP_CHAIN_DONE);
  EXPECT_TRUE(vp::GradePrinter(world.printer.Directory()).repaired);
}

// A platform theme's widget that keeps Enter for itself, as some desktops' combos and radios do.
template <class Control>
class EnterKeeping : public Control {
 public:
  using Control::Control;

 protected:
  void keyPressEvent(QKeyEvent* event) override { event->accept(); }
};

TEST(Keyboard, EnterReachesTheDefaultButtonPastControlsThatKeepIt) {
  UiWorld world;  // the application
  QWidget form;
  auto* combo = new EnterKeeping<QComboBox>(&form);
  auto* radio = new EnterKeeping<QRadioButton>(&form);
  auto* box = new EnterKeeping<QCheckBox>(&form);
  auto* ok = new QPushButton(&form);
  ok->setDefault(true);
  auto* layout = new QVBoxLayout(&form);
  for (QWidget* control : std::initializer_list<QWidget*>{combo, radio, box, ok})
    layout->addWidget(control);
  ui::SetUpFormWindow(form, ui::BorderIcons::SystemMenuAndMinimise);
  Activate(form);
  QSignalSpy pressed(ok, &QPushButton::clicked);
  for (QWidget* control : std::initializer_list<QWidget*>{combo, radio, box}) {
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Return);
  }
  EXPECT_EQ(pressed.count(), 3);
}

struct MenuKey {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

const MenuKey kMenuKeys[] = {{"MenuKey", Qt::Key_Menu, Qt::NoModifier},
                             {"ShiftF10", Qt::Key_F10, Qt::ShiftModifier}};

class PopupMenu : public ::testing::TestWithParam<MenuKey> {};

// From the start-up form's menu to the Printed pages window, and through its zoom steps, without
// a mouse.
TEST_P(PopupMenu, OpensFromTheKeyboardAndLeadsToTheZoomedPages) {
  UiWorld world;
  ui::TFormPrintedPages pages{{.pages_folder = world.PagesFolder(), .printer_lines = {}}};
  world.forms.FormBoot->AddMenuItem(pages.ShowAction());
  Activate(*world.forms.FormBoot);
  QWidget* focused = Focused();
  ASSERT_NE(focused, nullptr);
  QTest::keyClick(focused, GetParam().key, GetParam().modifiers);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->objectName(), "PopupMenu1");
  EXPECT_EQ(menu->pos(), focused->mapToGlobal(QPoint(0, focused->height())));
  // The last item is the window's own, added after the form's.
  QTest::keyClick(menu, Qt::Key_Up);
  QTest::keyClick(menu, Qt::Key_Return);
  ASSERT_TRUE(pages.isVisible());

  Activate(pages);
  QStringList stops = TabStops();
  for (const char* zoom : {"ZoomOutBtn", "ZoomCombo", "ZoomInBtn", "BidBlocksChk", "StrongInksChk"})
    EXPECT_TRUE(stops.contains(zoom)) << zoom;
  using Pages = ui::TFormPrintedPages;
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int zoom;
  } steps[] = {{Qt::Key_1, Qt::ControlModifier, Pages::kActualSize},
               {Qt::Key_Plus, Qt::ControlModifier, Pages::kActualSize + 1},
               {Qt::Key_Equal, Qt::ControlModifier, Pages::kActualSize + 2},
               {Qt::Key_Minus, Qt::ControlModifier, Pages::kActualSize + 1},
               {Qt::Key_0, Qt::ControlModifier, Pages::kWholePage}};
  for (const auto& step : steps) {
    Press(Qt::Key_Tab);
    QTest::keyClick(Focused(), step.key, step.modifiers);
    EXPECT_EQ(pages.Zoom(), step.zoom)
        << QKeySequence(step.key | step.modifiers).toString().toStdString();
  }
  for (int stop = 0; stop < stops.size() && Focused()->objectName() != "ZoomInBtn"; ++stop)
    Press(Qt::Key_Tab);
  Press(Qt::Key_Space);
  EXPECT_EQ(pages.Zoom(), Pages::kWholePage + 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, PopupMenu, ::testing::ValuesIn(kMenuKeys),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace opal::testing
