#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <ctime>
#include <ostream>
#include <string>

#include "tests/ui/support/adjustformtest.h"

namespace opal::testing {
namespace {

// The ID and its stamp, 0x4C to 0x5D.
std::string StoredUsbId(const vp::VirtualPrinter& printer) {
  const auto eeprom = printer.Eeprom();
  return {eeprom.begin() + 0x4C, eeprom.begin() + 0x5E};
}

// "USB ID" picked in the "Adjustment" menu, at 14:47:35 on 3 November 2001.
class UsbIdPanels : public AdjustFormTest {
 protected:
  UsbIdPanels() {
    std::tm local{};
    local.tm_year = 101;
    local.tm_mon = 10;
    local.tm_mday = 3;
    local.tm_hour = 14;
    local.tm_min = 47;
    local.tm_sec = 35;
    world.clock.SetLocalTime(local);
    Pick("AdjustRdoGrp", 2);
  }

  QLineEdit& Edit() { return Find<QLineEdit>(Form(), "UsbIdInputEdit"); }
  void Choose(int item) {
    Find<ui::RadioGroup>(Form(), "UsbIdRdoBtn").SetItemIndex(item);
    Click("UsbIdOKBtn");
  }
  void Write(const char* typed) {
    Choose(0);
    QTest::keyClicks(&Edit(), typed);
    Click("UsbIdInputOKBtn");
  }
  QString UsbIdField() { return Find<QLabel>(Form(), "ShowUSBIDLbl").text(); }
};

TEST_F(UsbIdPanels, AnIdIsWrittenWithItsStampAndReadsBack) {
  Form().ShowStatus(StatusMode::Plain, "Earlier message");
  Choose(0);
  EXPECT_TRUE(Shown("UsbIdInputPnl"));
  EXPECT_EQ(Memo().toPlainText(), "Earlier message");
  EXPECT_EQ(Form().focusWidget(), &Edit());

  // One character too many: the edit keeps ten.
  QTest::keyClicks(&Edit(), "AB123456789");
  EXPECT_EQ(Edit().text(), "AB12345678");
  Click("UsbIdInputOKBtn");

  EXPECT_EQ(StoredUsbId(world.printer), "AB123456781B3EH530");
  EXPECT_EQ(Memo().toPlainText(), "USB IDAB123456781B3EH530 has been written in EEPROM.");
  EXPECT_EQ(UsbIdField(), "AB12345678 1B3EH530");

  Click("UsbIdInputRtnBtn");
  EXPECT_TRUE(Shown("UsbIdPnl"));
  EXPECT_EQ(Memo().toPlainText(), "");
  Choose(1);
  EXPECT_EQ(Memo().toPlainText(), "USB ID = AB123456781B3EH530");
}

class RefusedUsbIds : public UsbIdPanels, public ::testing::WithParamInterface<const char*> {};

// These codes have no message: the status area is left empty, in red.
TEST_P(RefusedUsbIds, SendNothingAndLeaveAnEmptyRedStatus) {
  Form().ShowStatus(StatusMode::Plain, "Earlier message");
  Write(GetParam());
  EXPECT_EQ(SentSinceStart(), 0u);
  EXPECT_EQ(Memo().toPlainText(), "");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_EQ(Edit().text(), GetParam());
  EXPECT_EQ(UsbIdField(), "");
}

// Too short, and a lower-case letter, which the edit does not raise.
INSTANTIATE_TEST_SUITE_P(LengthAndCharacters, RefusedUsbIds,
                         ::testing::Values("AB1234567", "ab12345678"));

TEST_F(UsbIdPanels, AFailingPrinterOrABlankStoredIdShowsInRed) {
  world.printer.SetFaults({.stall_input = true});
  Write("AB12345678");
  EXPECT_EQ(Memo().toPlainText(), "Transmission error");
  EXPECT_EQ(UsbIdField(), "");

  world.printer.SetFaults({});
  world.printer.SetEepromByte(0x50, 0x00);
  Click("UsbIdInputRtnBtn");
  Choose(1);
  EXPECT_EQ(Memo().toPlainText(), "");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
}

}  // namespace
}  // namespace opal::testing
