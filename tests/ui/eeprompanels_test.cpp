#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTableWidget>
#include <QTest>
#include <memory>
#include <ostream>

#include "tests/ui/support/adjustformtest.h"
#include "ui/seams/screencursor.h"

namespace opal::testing {
namespace {

// "EEPROM data" picked in the "Appendix" menu.
class EepromPanels : public AdjustFormTest {
 protected:
  EepromPanels() { Pick("AppendixRdoGrp", 1); }

  QLineEdit& Edit(const char* name) { return Find<QLineEdit>(Form(), name); }
  QTableWidget& Grid() { return Find<QTableWidget>(Form(), "EepromStrGrid"); }
  QString Cell(int address) { return Grid().item(address / 16 + 1, address % 16 + 1)->text(); }
  void Choose(int item) {
    Find<ui::RadioGroup>(Form(), "EepromCheckRdoGrp").SetItemIndex(item);
    Click("EepromCheckOkBtn");
  }
  // Types both edits of the panel the item opens, then presses its OK.
  void Enter(int item, const char* first, const char* second) {
    Choose(item);
    QTest::keyClicks(&Edit(item == 0 ? "EepReadBegEdit" : "EepWriteAddEdit"), first);
    QTest::keyClicks(&Edit(item == 0 ? "EepReadEndEdit" : "EepWriteDataEdit"), second);
    Click(item == 0 ? "EepromReadOkBtn" : "EepromWriteOkBtn");
  }
};

struct RangeCase {
  const char* start;
  const char* end;
  int first;
  int last;
};

void PrintTo(const RangeCase& c, std::ostream* out) {
  *out << c.start << '~' << c.end;
}

class EepromRanges : public EepromPanels, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(EepromRanges, FillTheirCellsAndNoOthers) {
  const RangeCase& c = GetParam();
  Enter(0, c.start, c.end);
  ASSERT_TRUE(Shown("EepromGridPnl"));
  EXPECT_FALSE(Shown("EepromReadPnl"));
  EXPECT_FALSE(Memo().isVisibleTo(&Form()));
  EXPECT_FALSE(ui::HourglassShown());
  const auto eeprom = world.printer.Eeprom();
  for (int address = 0; address < 256; ++address) {
    const bool read = address >= c.first && address <= c.last;
    EXPECT_EQ(Cell(address), read ? QString::asprintf("%02X", eeprom[address]) : "") << address;
  }
  EXPECT_EQ(Grid().item(0, 16)->text(), "F");
  EXPECT_EQ(Grid().item(11, 0)->text(), "A");
}

// Lower-case digits are raised as they are typed.
INSTANTIATE_TEST_SUITE_P(AllAndOne, EepromRanges,
                         ::testing::Values(RangeCase{"00", "ff", 0x00, 0xFF},
                                           RangeCase{"5E", "5E", 0x5E, 0x5E}));

struct RefusedCase {
  int item;
  const char* first;
  const char* second;
};

void PrintTo(const RefusedCase& c, std::ostream* out) {
  *out << "item " << c.item << ": " << c.first << ", " << c.second;
}

class RefusedEepromInput : public EepromPanels,
                           public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedEepromInput, SendsNothingAndKeepsThePanel) {
  const RefusedCase& c = GetParam();
  Enter(c.item, c.first, c.second);
  EXPECT_EQ(SentSinceStart(), 0u);
  EXPECT_EQ(Memo().toPlainText(), "Input data is wrong.");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_TRUE(Shown(c.item == 0 ? "EepromReadPnl" : "EepromWritePnl"));
  EXPECT_EQ(Form().focusWidget(), &Edit(c.item == 0 ? "EepReadBegEdit" : "EepWriteAddEdit"));
}

INSTANTIATE_TEST_SUITE_P(ShortNotHexOrBackwards, RefusedEepromInput,
                         ::testing::Values(RefusedCase{0, "0", "FF"}, RefusedCase{0, "G0", "FF"},
                                           RefusedCase{0, "10", "0F"}, RefusedCase{1, "5E", ""},
                                           RefusedCase{1, "5E", "0X"}));

TEST_F(EepromPanels, TheWholeGridShowsInTheMemosRoomAndNothingElseMoves) {
  const QRect quit_panel = Find<QWidget>(Form(), "ReturnPnl").geometry();
  Enter(0, "00", "FF");
  EXPECT_FALSE(Grid().verticalScrollBar()->isVisible());
  EXPECT_GE(Grid().viewport()->height(), 17 * 18);
  EXPECT_EQ(Find<QWidget>(Form(), "ReturnPnl").geometry(), quit_panel);

  Click("EepromGridRtnBtn");
  EXPECT_LT(Find<QWidget>(Form(), "OperationArea").geometry().bottom(), Memo().geometry().top());
}

// Under any widget style every cell stays inside the grid's window, the last column and row too.
class EepromGridStyles : public EepromPanels, public ::testing::WithParamInterface<const char*> {};

TEST_P(EepromGridStyles, KeepAllSixteenColumnsInView) {
  std::unique_ptr<QStyle> style(QStyleFactory::create(GetParam()));
  ASSERT_NE(style, nullptr);
  Form().setStyle(style.get());
  for (QWidget* child : Form().findChildren<QWidget*>()) child->setStyle(style.get());
  Enter(0, "00", "FF");
  QApplication::processEvents();
  const QRect view = Grid().viewport()->rect();
  for (int cell = 0; cell < 17; ++cell) {
    EXPECT_TRUE(view.contains(Grid().visualItemRect(Grid().item(0, cell)))) << "column " << cell;
    EXPECT_TRUE(view.contains(Grid().visualItemRect(Grid().item(cell, 0)))) << "row " << cell;
  }
  EXPECT_EQ(Cell(0xFF).size(), 2);
  Form().setStyle(nullptr);
  for (QWidget* child : Form().findChildren<QWidget*>()) child->setStyle(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Styles, EepromGridStyles, ::testing::Values("windows", "fusion"));

TEST_F(EepromPanels, PreviousOnTheGridFindsTheRangeStillTyped) {
  Enter(0, "20", "2F");
  Click("EepromGridRtnBtn");
  EXPECT_TRUE(Shown("EepromReadPnl"));
  EXPECT_TRUE(Memo().isVisibleTo(&Form()));
  EXPECT_EQ(Edit("EepReadBegEdit").text(), "20");
  EXPECT_EQ(Edit("EepReadEndEdit").text(), "2F");
  EXPECT_EQ(Form().focusWidget(), &Edit("EepReadBegEdit"));

  // Coming back through the choice starts afresh.
  Click("EepromReadRtnBtn");
  Choose(0);
  EXPECT_EQ(Edit("EepReadBegEdit").text(), "");
  EXPECT_EQ(Edit("EepReadEndEdit").text(), "");
}

TEST_F(EepromPanels, AReadFailingPartWayReturnsToTheChoiceWithItsMessage) {
  // The printer's replies go bad once the byte at 0x10 has arrived.
  QObject::connect(&Grid(), &QTableWidget::itemChanged, [this](QTableWidgetItem* cell) {
    if (cell->row() == 2 && cell->column() == 1 && !cell->text().isEmpty()) {
      world.printer.SetFaults({.corrupt_reply = true});
    }
  });
  Enter(0, "00", "FF");
  EXPECT_TRUE(Shown("EepromCheckPnl"));
  EXPECT_FALSE(Shown("EepromGridPnl"));
  EXPECT_TRUE(Memo().isVisibleTo(&Form()));
  EXPECT_EQ(Memo().toPlainText(), "Receive error");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_FALSE(ui::HourglassShown());
  // What was read stays in the hidden grid.
  EXPECT_NE(Cell(0x10), "");
  EXPECT_EQ(Cell(0x11), "");
}

TEST_F(EepromPanels, AByteIsWrittenAndThePanelStaysForTheNext) {
  Enter(1, "5e", "02");
  EXPECT_EQ(world.printer.Eeprom()[0x5E], 0x02);
  EXPECT_EQ(Memo().toPlainText(), "Address = 5E\nData = 02");
  EXPECT_TRUE(Shown("EepromWritePnl"));
  EXPECT_EQ(Edit("EepWriteAddEdit").text(), "5E");
  EXPECT_EQ(Edit("EepWriteDataEdit").text(), "02");

  world.printer.SetFaults({.stall_input = true});
  Click("EepromWriteOkBtn");
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_TRUE(Shown("EepromWritePnl"));
}

}  // namespace
}  // namespace opal::testing
