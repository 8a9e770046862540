#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>
#include <functional>
#include <numeric>

#include "cli/backupfile.h"
#include "tests/cli/virtualopalctl.h"

namespace opal {
namespace {

using ::testing::HasSubstr;

// What a file outside the folders opalctl was given holds, and must go on holding.
const std::vector<uint8_t> kKept{'k', 'e', 'p', 't'};

// Makes the thing found at `path` before a run; false where this user cannot make it.
using Plant =
    std::function<bool(const std::filesystem::path& path, const std::filesystem::path& outside)>;

struct PlantedCase {
  std::string what;
  Plant plant;
};

class EepromBackupCommandTest : public testing::VirtualOpalctlTest {
 protected:
  static std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::vector<uint8_t> ReadBackup() const { return ReadFile(backup); }
  void WriteBackup(const std::vector<uint8_t>& bytes) const {
    std::ofstream(backup, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }

  // Through `timeout`, so a program that waits on a FIFO fails the test instead of hanging it.
  testing::ProgramRun RunWithin(const std::vector<std::string>& args) const {
    std::vector<std::string> all{"20", OPALCTL_PATH};
    for (const std::string& arg : WithPrinter(args)) all.push_back(arg);
    return testing::RunProgram("/usr/bin/timeout", all);
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // A fresh start for each planted case; false where this user cannot make the thing.
  bool PlantAtBackup(const PlantedCase& planted) const {
    std::filesystem::remove_all(backup);
    std::filesystem::remove_all(outside);
    return planted.plant(backup, outside);
  }
  static std::filesystem::file_type TypeAt(const std::filesystem::path& path) {
    return std::filesystem::symlink_status(path).type();
  }

  std::filesystem::path backup = temp.path() / "eeprom.bak";
  std::filesystem::path outside = temp.path() / "outside";
};

const std::vector<PlantedCase> kNotRegular{
    {"link to a file",
     [](const auto& path, const auto& outside) {
       std::ofstream(outside) << "kept";
       std::filesystem::create_symlink(outside, path);
       return true;
     }},
    {"link to nothing",
     [](const auto& path, const auto& outside) {
       std::filesystem::create_symlink(outside, path);
       return true;
     }},
    {"FIFO", [](const auto& path, const auto&) { return mkfifo(path.c_str(), 0600) == 0; }},
    {"directory",
     [](const auto& path, const auto&) { return std::filesystem::create_directory(path); }},
    // The kind of node /dev/full is, made here, where replacing it would harm nothing.
    {"device node",
     [](const auto& path, const auto&) {
       return mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 7)) == 0;
     }},
};

TEST_F(EepromBackupCommandTest, RestoreBringsBackTheBackedUpBytes) {
  const auto save = Run({"eeprom", "backup", backup.string()});
  ASSERT_EQ(save.status, 0) << save.err;
  EXPECT_EQ(save.out, "EEPROM saved to " + backup.string() + " (256 bytes).\n");
  const auto saved = Eeprom();
  EXPECT_EQ(ReadBackup(), std::vector<uint8_t>(saved.begin(), saved.end()));

  EXPECT_THAT(FolderEntries(), ::testing::ElementsAre("eeprom.bak", "printer"));

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

TEST_F(EepromBackupCommandTest, BackupReplacesNothingButARegularFile) {
  for (const PlantedCase& planted : kNotRegular) {
    SCOPED_TRACE(planted.what);
    if (!PlantAtBackup(planted)) continue;
    const auto type = TypeAt(backup);
    const auto run = RunWithin({"eeprom", "backup", backup.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, backup.string() + " is not a regular file. Nothing was written.\n");
    EXPECT_EQ(TypeAt(backup), type);
    if (std::filesystem::exists(outside)) {
      EXPECT_EQ(ReadFile(outside), kKept);
    }
  }
  EXPECT_TRUE(Capture().empty());
}

TEST_F(EepromBackupCommandTest, BackupNeverWritesThroughAPlantedTemporaryAndKeepsTheUmask) {
  std::ofstream(outside) << "kept";
  std::filesystem::create_symlink(outside, backup.string() + ".partial");
  const mode_t earlier = umask(027);
  const auto run = Run({"eeprom", "backup", backup.string()});
  umask(earlier);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(outside), kKept);
  EXPECT_EQ(TypeAt(backup.string() + ".partial"), std::filesystem::file_type::symlink);
  struct stat status {};
  ASSERT_EQ(lstat(backup.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  const auto saved = Eeprom();
  EXPECT_EQ(ReadBackup(), std::vector<uint8_t>(saved.begin(), saved.end()));
}

TEST_F(EepromBackupCommandTest, RestoreReadsOnlyARegularFileAndNeverWaitsOnIt) {
  for (const PlantedCase& planted : kNotRegular) {
    SCOPED_TRACE(planted.what);
    if (!PlantAtBackup(planted)) continue;
    // A link to a whole backup is refused too: only the file named is read.
    if (std::filesystem::exists(outside)) WriteBackup(std::vector<uint8_t>(256, 0x00));
    const auto run = RunWithin({"eeprom", "restore", backup.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, backup.string() + " is not a regular file.\n");
  }
  EXPECT_TRUE(Capture().empty());
}

// A full disk, as the file system shows it: writes beyond a size fail.
TEST_F(EepromBackupCommandTest, FailedWriteRemovesItsTemporaryAndKeepsTheEarlierBackup) {
  WriteBackup(std::vector<uint8_t>(256, 0xA5));
  const auto earlier_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit earlier{};
  getrlimit(RLIMIT_FSIZE, &earlier);
  rlimit small = earlier;
  small.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &small);
  const auto problem = cli::SaveBackup(backup, EepromImage{});
  setrlimit(RLIMIT_FSIZE, &earlier);
  std::signal(SIGXFSZ, earlier_handler);

  ASSERT_TRUE(problem.has_value());
  EXPECT_THAT(*problem, ::testing::StartsWith("Cannot write " + backup.string() + ": "));
  EXPECT_EQ(ReadBackup(), std::vector<uint8_t>(256, 0xA5));
  EXPECT_THAT(FolderEntries(), ::testing::ElementsAre("eeprom.bak"));
}

}  // namespace
}  // namespace opal
