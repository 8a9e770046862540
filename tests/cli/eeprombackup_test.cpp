#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "tests/cli/virtualopalctl.h"

namespace opal {
namespace {

using ::testing::HasSubstr;

class EepromBackupCommandTest : public testing::VirtualOpalctlTest {
 protected:
  std::vector<uint8_t> ReadBackup() const {
    std::ifstream in(backup, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void WriteBackup(const std::vector<uint8_t>& bytes) const {
    std::ofstream(backup, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }

  std::filesystem::path backup = temp.path() / "eeprom.bak";
};

TEST_F(EepromBackupCommandTest, RestoreBringsBackTheBackedUpBytes) {
  const auto save = Run({"eeprom", "backup", backup.string()});
  ASSERT_EQ(save.status, 0) << save.err;
  EXPECT_EQ(save.out, "EEPROM saved to " + backup.string() + " (256 bytes).\n");
  const auto saved = Eeprom();
  EXPECT_EQ(ReadBackup(), std::vector<uint8_t>(saved.begin(), saved.end()));

  EXPECT_FALSE(std::filesystem::exists(backup.string() + ".partial"));

  ASSERT_EQ(Run({"head-id", "write", "AZBCDEFJKLMNW"}).status, 0);
  ASSERT_EQ(Run({"eeprom", "write", "5E", "02"}).status, 0);
  const auto changed = Eeprom();
  const auto differing = std::inner_product(saved.begin(), saved.end(), changed.begin(), 0,
                                            std::plus<>(), std::not_equal_to<>());
  ASSERT_GT(differing, 1);
  const auto restore = Run({"eeprom", "restore", backup.string()});
  ASSERT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(restore.out,
            "Wrote " + std::to_string(differing) + " of 256 bytes; all 256 match the backup.\n");
  EXPECT_EQ(Eeprom(), saved);
}

TEST_F(EepromBackupCommandTest, OnlyA256ByteFileIsRestoredAndNothingIsSentOtherwise) {
  for (const std::size_t size : {0u, 255u, 257u}) {
    WriteBackup(std::vector<uint8_t>(size, 0x00));
    const auto run = Run({"eeprom", "restore", backup.string()});
    EXPECT_EQ(run.status, 2) << size;
    EXPECT_EQ(run.err, backup.string() + " is not a 256-byte EEPROM backup.\n");
  }
  EXPECT_EQ(Run({"eeprom", "restore", (temp.path() / "missing").string()}).status, 2);
  EXPECT_TRUE(Capture().empty());
}

TEST_F(EepromBackupCommandTest, RestoreOnAFailingPrinterSaysSo) {
  WriteBackup(std::vector<uint8_t>(256, 0x00));
  { vp::VirtualPrinter(printer_dir).SetFaults({.corrupt_reply = true}); }
  const auto run = Run({"eeprom", "restore", backup.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Receive error\nWrote 0 of 256 bytes before the failure.\n");
}

TEST_F(EepromBackupCommandTest, FailedBackupLeavesAnEarlierBackupWhole) {
  WriteBackup(std::vector<uint8_t>(256, 0xA5));
  { vp::VirtualPrinter(printer_dir).SetFaults({.short_reply = true}); }
  EXPECT_EQ(Run({"eeprom", "backup", backup.string()}).status, 1);
  EXPECT_EQ(ReadBackup(), std::vector<uint8_t>(256, 0xA5));

  { vp::VirtualPrinter(printer_dir).SetFaults({}); }
  const auto nowhere = Run({"eeprom", "backup", (temp.path() / "no" / "such").string()});
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_THAT(nowhere.err, HasSubstr("Cannot write"));
}

}  // namespace
}  // namespace opal
