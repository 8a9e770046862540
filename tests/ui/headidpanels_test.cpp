#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <ostream>

#include "tests/ui/support/adjustformtest.h"
#include "ui/forms/quit.h"
#include "ui/seams/screencursor.h"

namespace opal::testing {
namespace {

// The head data bytes 0x3F to 0x4B.
std::array<uint8_t, 13> HeadBytes(const vp::VirtualPrinter& printer) {
  const auto eeprom = printer.Eeprom();
  std::array<uint8_t, 13> bytes{};
  std::copy(eeprom.begin() + 0x3F, eeprom.begin() + 0x4C, bytes.begin());
  return bytes;
}

// "Head ID" picked in the "Adjustment" menu.
class HeadIdPanels : public AdjustFormTest {
 protected:
  HeadIdPanels() { Pick("AdjustRdoGrp", 0); }

  QLineEdit& Edit() { return Find<QLineEdit>(Form(), "HdVolWrtEdit"); }
  void Choose(int item) {
    Find<ui::RadioGroup>(Form(), "HdVolRdoBtn").SetItemIndex(item);
    Click("HdVolOKBtn");
  }
  void Write(const char* typed) {
    Choose(0);
    QTest::keyClicks(&Edit(), typed);
    Click("HdVolWrtOKBtn");
  }
  QString HeadIdField() { return Find<QLabel>(Form(), "ShowHdVolIDPnl").text(); }
};

TEST_F(HeadIdPanels, TheWorkedExampleIsWrittenShownAndReadBack) {
  Choose(0);
  EXPECT_TRUE(Shown("HdVolWrtPnl"));
  EXPECT_EQ(Form().focusWidget(), &Edit());

  // Typed in lower case and one character too many: the edit keeps 13 capitals.
  QTest::keyClicks(&Edit(), "azbcdefjklmnwq");
  EXPECT_EQ(Edit().text(), "AZBCDEFJKLMNW");
  Click("HdVolWrtOKBtn");

  EXPECT_THAT(HeadBytes(world.printer),
              ::testing::ElementsAre(0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x00, 0x5A, 0x28, 0x2A,
                                     0x2C, 0x29, 0x2B));
  EXPECT_EQ(Memo().toPlainText(),
            "As head actuator voltage, \n\"AZBCDEFJKLMNW\"\n has been written in EEPROM.");
  EXPECT_EQ(HeadIdField(), "AZBCDEFJKLMNW");

  Click("HdVolWrtRtnBtn");
  EXPECT_TRUE(Shown("HdVolPnl"));
  EXPECT_FALSE(Shown("HdVolWrtPnl"));
  EXPECT_EQ(Edit().text(), "");
  EXPECT_EQ(Memo().toPlainText(), "");

  Choose(1);
  EXPECT_EQ(Memo().toPlainText(), "Head voltage ID = AZBCDEFJKLMNW");
  EXPECT_TRUE(Shown("HdVolPnl"));
  EXPECT_FALSE(ui::HourglassShown());
}

struct RefusedCase {
  const char* typed;
  const char* message;
};

void PrintTo(const RefusedCase& c, std::ostream* out) {
  *out << '"' << c.typed << '"';
}

class RefusedHeadIds : public HeadIdPanels, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedHeadIds, SendNothingAndAreLeftForCorrection) {
  Write(GetParam().typed);
  EXPECT_EQ(SentSinceStart(), 0u);
  EXPECT_EQ(Memo().toPlainText(), GetParam().message);
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_EQ(Edit().text(), GetParam().typed);
  EXPECT_EQ(Form().focusWidget(), &Edit());
  EXPECT_EQ(HeadIdField(), "");
}

INSTANTIATE_TEST_SUITE_P(TheFirstFault, RefusedHeadIds,
                         ::testing::Values(RefusedCase{"", "The Number of digit is wrong."},
                                           RefusedCase{"AZBCDEFJKLMN",
                                                       "The Number of digit is wrong."},
                                           RefusedCase{"A0BCDEFJKLMNI", "Second Digit is wrong."},
                                           RefusedCase{"AZBCDEFJKLMNV", "Check ID is invalid."}));

TEST_F(HeadIdPanels, AFailingPrinterShowsItsMessageInRed) {
  world.printer.SetFaults({.stall_input = true});
  Write("AZBCDEFJKLMNW");
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_EQ(HeadIdField(), "");

  world.printer.SetFaults({.corrupt_reply = true});
  Click("HdVolWrtRtnBtn");
  Choose(1);
  EXPECT_EQ(Memo().toPlainText(), "Receive error");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_FALSE(ui::HourglassShown());
}

TEST_F(HeadIdPanels, AStoredZeroEndsTheShownId) {
  world.printer.SetEepromByte(0x3F, 0x00);
  Choose(1);
  EXPECT_EQ(Memo().toPlainText(), "Head voltage ID = ");
}

TEST_F(HeadIdPanels, TheInputPanelShowsTheHeadPhotograph) {
  Choose(0);
  const QPixmap photograph = Find<QLabel>(Form(), "HdVolWrtImg").pixmap();
  EXPECT_EQ(photograph.size(), QSize(180, 140));
}

TEST_F(HeadIdPanels, LeavingTheProgramBringsTheFirstItemsBack) {
  Find<ui::RadioGroup>(Form(), "HdVolRdoBtn").SetItemIndex(1);
  Find<ui::RadioGroup>(Form(), "CounterRdoBtn").SetItemIndex(1);
  Form().close();
  EXPECT_EQ(Find<ui::RadioGroup>(Form(), "HdVolRdoBtn").ItemIndex(), 0);
  EXPECT_EQ(Find<ui::RadioGroup>(Form(), "CounterRdoBtn").ItemIndex(), 0);
}

}  // namespace
}  // namespace opal::testing
