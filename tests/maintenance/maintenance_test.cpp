#include "maintenance/maintenance.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/gatedprinter.h"

namespace opal {
namespace {

using testing::EepromWriteFrame;
using ::testing::ElementsAre;

class ProtectionCounterTest : public testing::GatedPrinterTest {
 protected:
  void Store(uint8_t high, uint8_t low) {
    printer.SetEepromByte(0x1A, high);
    printer.SetEepromByte(0x1B, low);
  }

  TMaintenanceModule maintenance{command};
};

TEST_F(ProtectionCounterTest, ValueIsHighByteThenLowByte) {
  struct Case {
    uint8_t high;
    uint8_t low;
    std::string digits;
  };
  for (const Case& c : std::vector<Case>{{0x5B, 0xCC, "23500"},
                                         {0xFF, 0xFF, "65535"},
                                         {0x00, 0x00, "0"},
                                         {0x00, 0xFF, "255"},
                                         {0x01, 0x00, "256"}}) {
    Store(c.high, c.low);
    std::string digits = "     ";
    ASSERT_EQ(maintenance.ReadProtectionCounter(digits), PORT_OK);
    EXPECT_EQ(digits, c.digits);
  }
}

TEST_F(ProtectionCounterTest, LowByteIsReadAndClearedFirstAndTheClearIsReadBack) {
  std::string digits;
  ASSERT_EQ(maintenance.ReadProtectionCounter(digits), PORT_OK);
  ASSERT_EQ(maintenance.ClearProtectionCounter(), PORT_OK);
  EXPECT_THAT(gate.frames,
              ElementsAre(testing::Frame{0x1B, 0x7C, 0, 6, 0, 6, 0x31, 0x41, 0xBE, 0xA0, 0x1B},
                          testing::Frame{0x1B, 0x7C, 0, 6, 0, 6, 0x31, 0x41, 0xBE, 0xA0, 0x1A},
                          EepromWriteFrame(0x1B, 0x00), EepromWriteFrame(0x1A, 0x00),
                          testing::Frame{0x1B, 0x7C, 0, 6, 0, 6, 0x31, 0x41, 0xBE, 0xA0, 0x1B},
                          testing::Frame{0x1B, 0x7C, 0, 6, 0, 6, 0x31, 0x41, 0xBE, 0xA0, 0x1A}));
  ASSERT_EQ(maintenance.ReadProtectionCounter(digits), PORT_OK);
  EXPECT_EQ(digits, "0");
}

TEST_F(ProtectionCounterTest, FailingClearLeavesTheHighByteUntilItsTurn) {
  struct Case {
    int frames_before_cut;
    uint8_t high;
    uint8_t low;
  };
  for (const Case& c : std::vector<Case>{{0, 0x5B, 0xCC}, {1, 0x5B, 0x00}}) {
    Store(0x5B, 0xCC);
    gate.frames_before_cut = c.frames_before_cut;
    EXPECT_EQ(maintenance.ClearProtectionCounter(), ERR_SEND_COUNT);
    EXPECT_EQ(printer.Eeprom()[0x1A], c.high);
    EXPECT_EQ(printer.Eeprom()[0x1B], c.low);
  }
}

TEST_F(ProtectionCounterTest, FailingReadLeavesTheDigitsAsTheyWere) {
  for (const int frames_before_cut : {0, 1}) {
    gate.frames_before_cut = frames_before_cut;
    std::string digits = "     ";
    EXPECT_EQ(maintenance.ReadProtectionCounter(digits), ERR_SEND_COUNT);
    EXPECT_EQ(digits, "     ");
  }
}

}  // namespace
}  // namespace opal
