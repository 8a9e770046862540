#include "device/eeprom.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/datamanu.h"
#include "tests/support/gatedprinter.h"

namespace opal {
namespace {

using testing::EepromWriteFrame;
using ::testing::ElementsAre;

class EepromBackupTest : public testing::GatedPrinterTest {
 protected:
  // The printer's bytes with three of them changed.
  EepromImage Changed() {
    EepromImage image = printer.Eeprom();
    image[0x00] ^= 0xFF;
    image[0x5E] = 0x02;
    image[0xFF] += 1;
    return image;
  }
};

TEST_F(EepromBackupTest, BackupHoldsEveryByte) {
  printer.SetEepromByte(0xFF, 0xA5);
  EepromImage image{};
  ASSERT_EQ(BackupEeprom(command, image), PORT_OK);
  EXPECT_EQ(image, printer.Eeprom());
}

TEST_F(EepromBackupTest, FailingBackupLeavesTheImageAsItWas) {
  gate.frames_before_cut = 100;
  EepromImage image{};
  image.fill(0x77);
  const EepromImage before = image;
  EXPECT_EQ(BackupEeprom(command, image), ERR_SEND_COUNT);
  EXPECT_EQ(image, before);
}

TEST_F(EepromBackupTest, RestoreWritesOnlyTheBytesThatDiffer) {
  const EepromImage wanted = Changed();
  RestoreReport report;
  ASSERT_EQ(RestoreEeprom(command, wanted, report), PORT_OK);
  EXPECT_EQ(report.written, 3u);
  EXPECT_TRUE(report.mismatches.empty());
  EXPECT_THAT(EepromWrites(),
              ElementsAre(EepromWriteFrame(0x00, wanted[0x00]), EepromWriteFrame(0x5E, 0x02),
                          EepromWriteFrame(0xFF, wanted[0xFF])));
  EXPECT_EQ(printer.Eeprom(), wanted);
  EXPECT_EQ(gate.frames.size(), 256u + 3u + 256u);
}

TEST_F(EepromBackupTest, RestoreThePrinterDoesNotTakeListsEveryByte) {
  const EepromImage held = printer.Eeprom();
  const EepromImage wanted = Changed();
  gate.drop_eeprom_writes = true;
  RestoreReport report;
  ASSERT_EQ(RestoreEeprom(command, wanted, report), ERR_WRITE_NOT_HELD);
  EXPECT_EQ(command.Message(ERR_WRITE_NOT_HELD), "Verify error at address 00: written " +
                                                     ByteToHexPair(wanted[0x00]) + ", read back " +
                                                     ByteToHexPair(held[0x00]) + ".");
  EXPECT_EQ(report.written, 3u);
  ASSERT_EQ(report.mismatches.size(), 3u);
  const std::vector<uint8_t> addresses{0x00, 0x5E, 0xFF};
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    const EepromMismatch& byte = report.mismatches[i];
    EXPECT_EQ(byte.address, addresses[i]);
    EXPECT_EQ(byte.wanted, wanted[addresses[i]]);
    EXPECT_EQ(byte.found, held[addresses[i]]);
  }
}

TEST_F(EepromBackupTest, FailingRestoreStopsAndCountsWhatWasWritten) {
  struct Case {
    int frames_before_cut;
    std::size_t sent;
    std::size_t written;
    bool counted;
    Result result;
  };
  // Cut while reading what the printer holds, while writing (the printer then cannot say what
  // arrived), and while reading the writes back.
  for (const Case& c : std::vector<Case>{{10, 0, 0, true, ERR_SEND_COUNT},
                                         {256 + 1, 1, 0, false, ERR_SEND_COUNT},
                                         {256 + 3 + 10, 3, 3, true, ERR_WRITE_UNREADABLE}}) {
    gate.frames_before_cut = c.frames_before_cut;
    RestoreReport report;
    report.mismatches.push_back({});
    EXPECT_EQ(RestoreEeprom(command, Changed(), report), c.result);
    EXPECT_EQ(report.sent, c.sent);
    EXPECT_EQ(report.written, c.written);
    EXPECT_EQ(report.counted, c.counted);
    EXPECT_TRUE(report.mismatches.empty());
    gate.frames_before_cut = -1;
  }
}

}  // namespace
}  // namespace opal
