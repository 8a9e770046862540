#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <ctime>
#include <functional>
#include <ostream>

#include "tests/ui/support/adjustformtest.h"

namespace opal::testing {
namespace {

// A writing operation of the individual form, run with valid input, and the line it shows when
// the printer holds what was written.
struct WritingOperation {
  const char* name;
  std::function<void(AdjustFormTest& test)> run;
  const char* success;
  Qt::GlobalColor failure_colour;
};

void PrintTo(const WritingOperation& c, std::ostream* out) {
  *out << c.name;
}

void Type(AdjustFormTest& test, const char* edit, const char* text) {
  QTest::keyClicks(&Find<QLineEdit>(test.Form(), edit), text);
}

void Open(AdjustFormTest& test, const char* menu, int item, const char* inner, int inner_item,
          const char* ok) {
  test.Pick(menu, item);
  Find<ui::RadioGroup>(test.Form(), inner).SetItemIndex(inner_item);
  test.Click(ok);
}

const WritingOperation kOperations[] = {
    {"HeadId",
     [](AdjustFormTest& t) {
       Open(t, "AdjustRdoGrp", 0, "HdVolRdoBtn", 0, "HdVolOKBtn");
       Type(t, "HdVolWrtEdit", "AZBCDEFJKLMNW");
       t.Click("HdVolWrtOKBtn");
     },
     " has been written in EEPROM.", Qt::red},
    {"UsbId",
     [](AdjustFormTest& t) {
       std::tm in_2001{};
       in_2001.tm_year = 101;
       in_2001.tm_mday = 3;
       t.world.clock.SetLocalTime(in_2001);
       Open(t, "AdjustRdoGrp", 2, "UsbIdRdoBtn", 0, "UsbIdOKBtn");
       Type(t, "UsbIdInputEdit", "AB12345678");
       t.Click("UsbIdInputOKBtn");
     },
     " has been written in EEPROM.", Qt::red},
    {"BidValue",
     [](AdjustFormTest& t) {
       Open(t, "AdjustRdoGrp", 1, "BidRdoBtn", 1, "BidOKBtn");
       Find<QLineEdit>(t.Form(), "MsBkBidWrtEdit").setText("12");
       Find<QCheckBox>(t.Form(), "BidMsBkCheckBox").setChecked(true);
       t.Click("BidWrtOKBtn");
     },
     // Each row reports on its own line, in the plain mode of the row reports.
     " has been written in EEPROM.", Qt::black},
    {"CounterClear",
     [](AdjustFormTest& t) {
       Open(t, "MainteRdoGrp", 3, "CounterRdoBtn", 1, "ProCounterOKBtn");
       t.world.dialogs.answers = {true};
       t.Click("CounterClearOKBtn");
     },
     "The protection counter has been initialized.", Qt::red},
    {"DataReset",
     [](AdjustFormTest& t) {
       t.Pick("MainteRdoGrp", 2);
       t.Form().ResetPanels(false);
       t.Form().ShowPanel(ui::PanelId::DataReset);
       t.Click("ExchangeResetOKBtn");
     },
     "Protection counter & Ink Flag2 are reseted.", Qt::red},
    {"EepromByte",
     [](AdjustFormTest& t) {
       Open(t, "AppendixRdoGrp", 1, "EepromCheckRdoGrp", 1, "EepromCheckOkBtn");
       Type(t, "EepWriteAddEdit", "20");
       Type(t, "EepWriteDataEdit", "5A");
       t.Click("EepromWriteOkBtn");
     },
     "Data = ", Qt::red},
};

class PrinterIgnoringWrites : public AdjustFormTest,
                              public ::testing::WithParamInterface<WritingOperation> {};

// The printer takes the frames and keeps nothing: the technician reads where it did not, never
// the success line.
TEST_P(PrinterIgnoringWrites, ShowsTheByteThatDidNotHoldAndNeverTheSuccess) {
  const WritingOperation& operation = GetParam();
  world.printer.SetFaults({.ignore_writes = true});
  operation.run(*this);

  EXPECT_THAT(Memo().toPlainText().toStdString(), ::testing::HasSubstr("Verify error at address "));
  for (const QString& shown : memo_history) {
    EXPECT_FALSE(shown.contains(operation.success)) << shown.toStdString();
  }
  EXPECT_EQ(MemoColour(), QColor(operation.failure_colour));
  EXPECT_TRUE(Form().isVisible());
  EXPECT_TRUE(Form().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(EachWritingOperation, PrinterIgnoringWrites,
                         ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace opal::testing
