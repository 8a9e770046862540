#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "service/journalstore.h"
#include "tests/cli/inprocessopalctl.h"
#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using ::testing::ContainsRegex;
using Image = std::array<uint8_t, vp::VirtualPrinter::kEepromSize>;

// Every operation that writes, as a technician types it.
struct WritingOperation {
  const char* name;
  std::vector<std::string> args;
  bool puts_back = false;  // a print that tries settings and puts them back changes nothing
};

void PrintTo(const WritingOperation& operation, std::ostream* out) {
  *out << operation.name;
}

const std::vector<WritingOperation> kOperations{
    {"HeadId", {"head-id", "write", "AZBCDEFJKLMNW"}},
    {"UsbId", {"usb-id", "write", "AB12345678"}},
    {"BidWrite", {"bid", "write", "6pl-color", "-9"}},
    {"CounterClear", {"counter", "clear", "--yes"}},
    {"DataReset", {"data-reset"}},
    {"Identity", {"identity", "310"}},
    {"EepromByte", {"eeprom", "write", "5F", "03"}},
    {"EepromRestore", {"eeprom", "restore", "FILE"}},
    {"BidBlockPrint", {"print", "pattern", "bid-6pl-color"}, true},
};

// Cuts a run spread evenly over the bytes an operation sends.
constexpr int kCuts = 24;

// One printer that has been in use, its journal, and a backup that differs from it, so every
// operation has something to change.
class CutWriteTest : public ::testing::TestWithParam<WritingOperation> {
 protected:
  CutWriteTest() {
    vp::VirtualPrinter printer(printer_);
    for (const auto& [address, value] :
         {std::pair<uint8_t, uint8_t>{0x1A, 0x5B}, {0x1B, 0xCC}, {0x01, 0x42}, {0x26, 0x00}}) {
      printer.SetEepromByte(address, value);
    }
    Image file = printer.Eeprom();
    file[0x7F] = 0x55;
    file[0x90] = 0xAA;
    std::ofstream(backup_, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), file.size());
  }

  testing::InProcessRun Run(const std::vector<std::string>& command) {
    std::vector<std::string> args{"--virtual", printer_.string()};
    for (const std::string& arg : command) args.push_back(arg == "FILE" ? backup_.string() : arg);
    return testing::RunOpalctlHere(args, clock_, journal_);
  }
  Image Eeprom() const { return vp::VirtualPrinter(printer_).Eeprom(); }
  void PutBack(const Image& image) const {
    vp::VirtualPrinter printer(printer_);
    for (std::size_t address = 0; address < image.size(); ++address) {
      printer.SetEepromByte(static_cast<uint8_t>(address), image[address]);
    }
  }
  long BytesHeard() const { return static_cast<long>(fs::file_size(printer_ / "capture.prn")); }
  void CutAfter(long bytes) const {
    vp::VirtualPrinter(printer_).SetFaults({.power_off_after_bytes = BytesHeard() + bytes});
  }
  void PowerBack() const { vp::VirtualPrinter(printer_).SetFaults({}); }
  std::vector<JournalEntry> Unsettled() const { return JournalStore(journal_).Unsettled(); }

  testing::TempDir temp_;
  fs::path printer_ = temp_.path() / "printer";
  fs::path backup_ = temp_.path() / "eeprom.bak";
  fs::path journal_ = temp_.path() / "journal.sqlite";
  testing::FakeClock clock_ = testing::ClockAtToday();
};

// Wherever the power goes, what the operation left is found at the next command unless the
// printer is as before or as meant; rollback then puts back exactly what was there before, and
// resume leaves exactly what the operation meant.
TEST_P(CutWriteTest, IsFoundAtTheNextCommandAndSettledExactly) {
  const WritingOperation& operation = GetParam();
  ASSERT_EQ(Run({"counter", "read"}).status, 0);
  const Image before = Eeprom();
  // The fault-free run keeps the snapshot, so the cut runs below send what it measures.
  const long start = BytesHeard();
  ASSERT_EQ(Run(operation.args).status, 0);
  const Image meant = Eeprom();
  const long whole = BytesHeard() - start;
  ASSERT_EQ(meant == before, operation.puts_back);
  PutBack(before);

  for (int cut = 0; cut < kCuts; ++cut) {
    const long after = whole * cut / kCuts + 1;
    SCOPED_TRACE("cut after " + std::to_string(after) + " of " + std::to_string(whole));
    CutAfter(after);
    const auto run = Run(operation.args);
    PowerBack();
    const Image left = Eeprom();
    const auto next = Run({"counter", "read"});
    ASSERT_EQ(next.status, 0) << next.err;
    if (left == before) {
      EXPECT_EQ(next.err, "");
      continue;
    }
    const std::vector<JournalEntry> unsettled = Unsettled();
    if (left == meant && unsettled.empty()) continue;
    EXPECT_THAT(next.err, ContainsRegex("was interrupted: ")) << run.err;
    ASSERT_EQ(unsettled.size(), 1u);
    const bool back = cut % 2 == 0;
    const auto settled =
        Run({"journal", back ? "rollback" : "resume", std::to_string(unsettled.front().id)});
    ASSERT_EQ(settled.status, 0) << settled.err;
    EXPECT_EQ(Eeprom(), back ? before : meant);
    EXPECT_TRUE(Unsettled().empty());
    PutBack(before);
  }
}

INSTANTIATE_TEST_SUITE_P(Journal, CutWriteTest, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace opal
