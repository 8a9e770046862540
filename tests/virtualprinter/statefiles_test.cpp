#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/virtualprinter/printedpages.h"
#include "tests/virtualprinter/printerfixture.h"

namespace vp::testing {
namespace {

using vp::testing::PrintTo;

namespace fs = std::filesystem;

const Bytes kPage{'a', 0x0C};

// Every entry under `dir`, with the content of each regular file.
std::map<std::string, Bytes> Snapshot(const fs::path& dir) {
  std::map<std::string, Bytes> entries;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    entries[fs::relative(entry.path(), dir).string()] =
        entry.is_regular_file() ? ReadFile(entry.path()) : Bytes{};
  }
  return entries;
}

void Touch(const fs::path& file, const std::string& text = {}) {
  std::ofstream(file, std::ios::binary) << text;
}

// A printer's folder and, beside it, a place the printer must never write to, holding copies of
// the printer's files so that a link to them leads to something readable.
class PlantedTest : public ::testing::Test {
 public:
  PlantedTest() {
    { VirtualPrinter fresh(dir_); }
    fs::create_directory(outside_);
    for (const char* name : {"printer.json", "eeprom.bin", "chip-black.bin", "capture.prn"}) {
      fs::copy_file(dir_ / name, outside_ / name);
    }
    fs::create_directory(outside_ / "pages");
  }

  // Puts a link to the outside copy in place of the printer's `name`.
  void LinkOutside(const char* name) {
    fs::remove(dir_ / name);
    fs::create_symlink(outside_ / name, dir_ / name);
  }
  // Gives the outside copy the printer's `name` as a second one.
  void HardLinkOutside(const char* name) {
    fs::remove(dir_ / name);
    fs::create_hard_link(outside_ / name, dir_ / name);
  }

  opal::testing::TempDir temp_;
  fs::path dir_ = temp_.path() / "printer";
  fs::path outside_ = temp_.path() / "outside";
};

struct PlantedCase {
  const char* name;
  const char* entry;
  std::function<void(PlantedTest&)> plant;
};

class PlantedEntryTest : public PlantedTest, public ::testing::WithParamInterface<PlantedCase> {};

TEST_P(PlantedEntryTest, IsRefusedByName) {
  GetParam().plant(*this);
  const auto outside = Snapshot(outside_);
  try {
    VirtualPrinter printer(dir_);
    ADD_FAILURE() << "opened a printer whose " << GetParam().entry << " is not its own";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().entry), std::string::npos) << error.what();
  }
  EXPECT_EQ(Snapshot(outside_), outside);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PlantedEntryTest,
    ::testing::Values(PlantedCase{"SettingsLink", "printer.json",
                                  [](PlantedTest& t) { t.LinkOutside("printer.json"); }},
                      PlantedCase{"EepromLink", "eeprom.bin",
                                  [](PlantedTest& t) { t.LinkOutside("eeprom.bin"); }},
                      PlantedCase{"ChipLink", "chip-black.bin",
                                  [](PlantedTest& t) { t.LinkOutside("chip-black.bin"); }},
                      PlantedCase{"CaptureLink", "capture.prn",
                                  [](PlantedTest& t) { t.LinkOutside("capture.prn"); }},
                      PlantedCase{"CaptureHardLink", "capture.prn",
                                  [](PlantedTest& t) { t.HardLinkOutside("capture.prn"); }},
                      PlantedCase{"SettingsHardLink", "printer.json",
                                  [](PlantedTest& t) { t.HardLinkOutside("printer.json"); }},
                      PlantedCase{"LockLink", ".lock",
                                  [](PlantedTest& t) {
                                    Touch(t.outside_ / ".lock");
                                    t.LinkOutside(".lock");
                                  }},
                      PlantedCase{"PagesLink", "pages",
                                  [](PlantedTest& t) { t.LinkOutside("pages"); }},
                      PlantedCase{"ChipFifo", "chip-color.bin",
                                  [](PlantedTest& t) {
                                    fs::remove(t.dir_ / "chip-color.bin");
                                    ASSERT_EQ(::mkfifo((t.dir_ / "chip-color.bin").c_str(), 0600),
                                              0);
                                  }},
                      PlantedCase{"CaptureDirectory", "capture.prn",
                                  [](PlantedTest& t) {
                                    fs::remove(t.dir_ / "capture.prn");
                                    fs::create_directory(t.dir_ / "capture.prn");
                                  }},
                      PlantedCase{"PagesFile", "pages",
                                  [](PlantedTest& t) {
                                    fs::remove(t.dir_ / "pages");
                                    Touch(t.dir_ / "pages");
                                  }}),
    kCaseName);

TEST_F(PlantedTest, LinksPlantedWhileThePrinterIsOpenLeadNowhere) {
  VirtualPrinter printer(dir_);
  fs::rename(dir_ / "pages", dir_ / "pages-moved");
  fs::create_directory_symlink(outside_ / "pages", dir_ / "pages");
  fs::rename(dir_ / "capture.prn", dir_ / "capture-moved");
  LinkOutside("capture.prn");
  LinkOutside("eeprom.bin");
  const auto outside = Snapshot(outside_);

  printer.Feed(kPage, kNow);
  EXPECT_EQ(printer.WaitForPages(), "");
  EXPECT_THROW(printer.Feed(EepromWriteFrame(0x10, 0x77), kNow), std::runtime_error);
  EXPECT_EQ(Snapshot(outside_), outside);
  EXPECT_TRUE(fs::exists(dir_ / "pages-moved" / "page-0001.png"));
  EXPECT_EQ(ReadFile(dir_ / "capture-moved"), kPage);
}

using StateFilesTest = PrinterTest;

TEST_F(StateFilesTest, TakingThePrinterRemovesTemporariesOfInterruptedWrites) {
  const std::vector<fs::path> stale{Dir() / ".eeprom.bin.a1B2c3", Dir() / ".printer.json.XYZ789",
                                    Dir() / ".chip-color.bin.000000",
                                    Dir() / "pages" / ".page-0003.png.qwErty"};
  const std::vector<fs::path> others{Dir() / ".eeprom.bin.notes", Dir() / ".notes.txt.abcdef",
                                     Dir() / "eeprom.bin.abcdef",
                                     Dir() / "pages" / ".page-x.png.abcdef"};
  for (const auto& file : stale) Touch(file);
  for (const auto& file : others) Touch(file);
  ASSERT_TRUE(printer_.Claim());
  for (const auto& file : stale) EXPECT_FALSE(fs::exists(file)) << file;
  for (const auto& file : others) EXPECT_TRUE(fs::exists(file)) << file;
}

struct SettingsSizeCase {
  const char* name;
  std::size_t size;
  bool opens;
};

class SettingsSizeTest : public PrinterTest,
                         public ::testing::WithParamInterface<SettingsSizeCase> {};

TEST_P(SettingsSizeTest, LargerThanAMebibyteIsRefused) {
  std::string text = R"({"model": "310"})";
  text.resize(GetParam().size, ' ');
  Touch(Dir() / "printer.json", text);
  if (GetParam().opens) {
    EXPECT_EQ(VirtualPrinter(Dir()).Model(), "310");
  } else {
    EXPECT_THROW(VirtualPrinter{Dir()}, std::runtime_error);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SettingsSizeTest,
                         ::testing::Values(SettingsSizeCase{"AtTheLimit", 1u << 20, true},
                                           SettingsSizeCase{"OneByteMore", (1u << 20) + 1, false}),
                         kCaseName);

class UmaskGuard {
 public:
  explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
  ~UmaskGuard() { ::umask(old_); }

 private:
  mode_t old_;
};

mode_t Permissions(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 0777;
}

TEST(StateFiles, NewFilesKeepTheUsersUmask) {
  opal::testing::TempDir temp;
  const fs::path dir = temp.path() / "printer";
  const UmaskGuard umask(027);
  VirtualPrinter printer(dir);
  ASSERT_TRUE(printer.Claim());
  printer.Feed(Concat({EepromWriteFrame(0x10, 0x77), kPage}), kNow);
  EXPECT_EQ(printer.WaitForPages(), "");
  for (const char* file : {"printer.json", "eeprom.bin", "chip-black.bin", "capture.prn", ".lock",
                           "pages/page-0001.png"}) {
    EXPECT_EQ(Permissions(dir / file), 0640u) << file;
  }
  EXPECT_EQ(Permissions(dir / "pages"), 0750u);
}

struct PageNumberCase {
  const char* name;
  std::vector<std::string> present;
  std::string next;  // empty: no page can be kept
};

class PageNumberTest : public PrinterTest, public ::testing::WithParamInterface<PageNumberCase> {};

// A page that cannot be kept is told by WaitForPages, never by the write that ended it.
TEST_P(PageNumberTest, PagesTakeTheNextNumberAndNeverOverflow) {
  for (const std::string& name : GetParam().present) Touch(Dir() / "pages" / name, "theirs");
  VirtualPrinter printer(Dir());
  printer.Feed(kPage, kNow);
  const std::string lost = printer.WaitForPages();
  if (GetParam().next.empty()) {
    EXPECT_NE(lost.find("no page number is left"), std::string::npos) << lost;
  } else {
    EXPECT_EQ(lost, "");
    EXPECT_FALSE(LoadPage(printer, std::stoi(GetParam().next.substr(5))).isNull());
  }
  for (const std::string& name : GetParam().present) {
    EXPECT_EQ(Text(ReadFile(Dir() / "pages" / name)), "theirs") << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Present, PageNumberTest,
    ::testing::Values(
        PageNumberCase{"None", {}, "page-0001.png"},
        PageNumberCase{"OnFromTheHighest", {"page-0002.png", "page-0007.png"}, "page-0008.png"},
        PageNumberCase{"BeyondTheCountAreNoPages",
                       {"page-0002.png", "page-2147483647.png", "page-99999999999.png"},
                       "page-0003.png"},
        PageNumberCase{"NoNumberLeft", {"page-99999999.png"}, ""}),
    kCaseName);

TEST_F(StateFilesTest, APageNeverReplacesOneAnotherProgramKeptMeanwhile) {
  printer_.Feed(kPage, kNow);
  EXPECT_EQ(printer_.WaitForPages(), "");
  Touch(Dir() / "pages" / "page-0002.png", "theirs");
  printer_.Feed(kPage, kNow);
  EXPECT_EQ(PageCount(printer_), 3);
  EXPECT_EQ(Text(ReadFile(Dir() / "pages" / "page-0002.png")), "theirs");
  EXPECT_FALSE(LoadPage(printer_, 3).isNull());
}

}  // namespace
}  // namespace vp::testing
