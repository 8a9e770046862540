#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/cli/inprocessopalctl.h"
#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;
using Image = std::array<uint8_t, vp::VirtualPrinter::kEepromSize>;

// What a command needs of the printer once it has answered its device-ID query and taken the
// start sequence.
enum class Needs {
  NoReply,     // it only sends: a printer that takes bytes and drops them looks the same to it
  Replies,     // it reads, or reads back what it set, so a reply that does not come stops it
  HeldWrites,  // as Replies, and the EEPROM write frames it sends must be held
};

struct MatrixCommand {
  std::string name;
  std::vector<std::string> args;  // "FILE" stands for the cell's backup file
  std::string success;            // shown only when the command truly did its work
  Needs needs;
  seconds waits{0};  // its own fixed waits and polling limits
  // Its status when the printer falls silent and no reply it still needs shows it: only a command
  // that asks the printer to answer at its end sees the silence.
  int gone_unnoticed = 0;
  bool ends_with_page = false;  // its last bytes are page data, which need no reply
};

// Each fault as the printer shows it to a program.
enum class Fault {
  None,
  Silent,
  StalledInput,
  NoGoodReply,
  WritesDropped,
  OffAfterStart,
  OffAtEnd
};

struct MatrixFault {
  std::string name;
  vp::Faults faults;
  Fault kind;
};

constexpr long kStartSequenceBytes = 27;

const std::vector<MatrixFault> kFaults{
    {"none", {}, Fault::None},
    {"silent", {.silent = true}, Fault::Silent},
    {"reply_delay", {.reply_delay_ms = 20'500}, Fault::NoGoodReply},
    {"short_reply", {.short_reply = true}, Fault::NoGoodReply},
    {"corrupt_reply", {.corrupt_reply = true}, Fault::NoGoodReply},
    {"stall_input", {.stall_input = true}, Fault::StalledInput},
    {"ignore_writes", {.ignore_writes = true}, Fault::WritesDropped},
    {"fail_reads", {.fail_reads = true}, Fault::NoGoodReply},
    {"off_after_start", {.power_off_after_bytes = kStartSequenceBytes}, Fault::OffAfterStart},
    // The byte count comes from the fault-free run: the command's last byte is lost.
    {"off_before_last_byte", {}, Fault::OffAtEnd},
};

int ExpectedStatus(const MatrixCommand& command, Fault fault) {
  const bool reads = command.needs != Needs::NoReply;
  switch (fault) {
    case Fault::None:
      return 0;
    case Fault::Silent:
      return 3;
    case Fault::StalledInput:
      return 1;
    case Fault::NoGoodReply:
      return reads ? 1 : 0;
    case Fault::WritesDropped:
      return command.needs == Needs::HeldWrites ? 1 : 0;
    case Fault::OffAfterStart:
      return reads ? 1 : command.gone_unnoticed;
    case Fault::OffAtEnd:
      return reads && !command.ends_with_page ? 1 : command.gone_unnoticed;
  }
  return -1;
}

// What standard error must say when the fault stops a command; a printer that goes off mid-way
// is reported by whichever step meets the silence.
std::string Symptom(Fault fault) {
  switch (fault) {
    case Fault::Silent:
      return "^Printer is error or power off status\\.";
    case Fault::StalledInput:
      return "^Transmission error\n$";
    case Fault::NoGoodReply:
      return "Receive error";
    case Fault::WritesDropped:
      return "Verify error at address [0-9A-F]+: written [0-9A-F]+, read back [0-9A-F]+\\.|do "
             "not match the backup";
    default:
      return ".";
  }
}

const seconds kChargeWait{108}, kCleanWait{31}, kChipPrintWait{26};
// The exchange's fixed wait and then at most three minutes of asking for the device ID.
const seconds kExchangeWaits{10 + 180};

const std::vector<MatrixCommand> kCommands{
    {"DeviceId", {"device-id"}, "Current Printer ID is Corvane Opal 320.", Needs::NoReply},
    {"EepromRead", {"eeprom", "read", "5E", "5F"}, "50:", Needs::Replies},
    {"EepromWrite", {"eeprom", "write", "5E", "02"}, "Data = 02", Needs::HeldWrites},
    {"EepromBackup", {"eeprom", "backup", "FILE"}, "EEPROM saved to", Needs::Replies},
    {"EepromRestore", {"eeprom", "restore", "FILE"}, "all 256 match", Needs::HeldWrites},
    {"HeadIdRead", {"head-id", "read"}, "Head voltage ID = ", Needs::Replies},
    {"HeadIdWrite",
     {"head-id", "write", "AZBCDEFJKLMNW"},
     "has been written in EEPROM.",
     Needs::HeldWrites},
    {"UsbIdRead", {"usb-id", "read"}, "USB ID = ", Needs::Replies},
    {"UsbIdWrite",
     {"usb-id", "write", "AB12345678"},
     "has been written in EEPROM.",
     Needs::HeldWrites},
    {"CounterRead", {"counter", "read"}, "Counter value = ", Needs::Replies},
    {"CounterClear",
     {"counter", "clear", "--yes"},
     "The protection counter has been initialized.",
     Needs::HeldWrites},
    {"Clean", {"clean"}, "Powerful Cleaning (CL1'') is completed.", Needs::NoReply, kCleanWait, 3},
    {"InkCharge",
     {"ink-charge", "--yes"},
     "Initial Ink Charge is completed.",
     Needs::NoReply,
     kChargeWait,
     3},
    {"LiquidExchange",
     {"liquid-exchange", "--yes"},
     "Transportion Liquid Exchange is completed.",
     Needs::NoReply,
     kExchangeWaits,
     1},
    {"LiquidExchangeNoWait",
     {"liquid-exchange", "--yes", "--no-wait"},
     "Not waited for",
     Needs::NoReply},
    {"DataReset", {"data-reset"}, "Protection counter & Ink Flag2 are reseted.", Needs::HeldWrites},
    {"ChipUnique", {"chip", "unique", "black"}, "Product company = VELTA", Needs::Replies},
    {"ChipUsage", {"chip", "usage", "color"}, "Ink counter remaining quantity", Needs::Replies},
    {"Identity",
     {"identity", "310"},
     "Model identity written for Corvane Opal 310.",
     Needs::HeldWrites},
    {"BidRead", {"bid", "read"}, "Multi shot Black = ", Needs::Replies},
    // Bi-D values go in their own frame, but the printer keeps them in the EEPROM, so a printer
    // that ignores writes does not hold them either.
    {"BidWrite",
     {"bid", "write", "6pl-color", "-33"},
     "has been written in EEPROM.",
     Needs::HeldWrites},
    {"PrintBid",
     {"print", "bid"},
     "Bi-d pattern print is completed.",
     Needs::HeldWrites,
     {},
     0,
     true},
    {"PrintNozzle",
     {"print", "nozzle"},
     "Recovery clogged head routine has completed.",
     Needs::NoReply},
    {"PrintBidBlock",
     {"print", "pattern", "bid-ms-black"},
     "Pattern bid-ms-black printed.",
     Needs::HeldWrites,
     {},
     0,
     true},
    {"PrintRaster",
     {"print", "pattern", "beta-black"},
     "Pattern beta-black printed.",
     Needs::NoReply},
    {"PrintChips",
     {"print", "chips"},
     "ZLIC info. printing has completed.",
     Needs::Replies,
     kChipPrintWait,
     0,
     true},
    {"PrintA4", {"print", "a4"}, "A4 pattern print is completed.", Needs::HeldWrites, {}, 0, true},
};

// A read that runs out of time, the grace for its late reply, and a second for any wait that
// was cut short: every command stops at its first failure, so it meets at most one of them.
const seconds kFailureBound{20 + 2 + 1};

// A printer that has been in use: a counter and ink flags a reset has to change.
constexpr std::array<std::pair<uint8_t, uint8_t>, 4> kLivedIn{
    {{0x1A, 0x5B}, {0x1B, 0xCC}, {0x01, 0x42}, {0x26, 0x00}}};
// What the backup file of a cell holds beyond the printer's own bytes, so a restore writes.
constexpr std::array<std::pair<uint8_t, uint8_t>, 3> kBackupChanges{
    {{0x5E, 0x02}, {0x7F, 0x55}, {0x90, 0xAA}}};

// One run of a command on a printer of its own.
class Cell {
 public:
  explicit Cell(const vp::Faults& faults) {
    vp::VirtualPrinter printer(printer_dir_);
    for (const auto& [address, value] : kLivedIn) printer.SetEepromByte(address, value);
    before_ = printer.Eeprom();
    file_bytes_ = before_;
    for (const auto& [address, value] : kBackupChanges) file_bytes_[address] = value;
    std::ofstream(file_, std::ios::binary)
        .write(reinterpret_cast<const char*>(file_bytes_.data()), file_bytes_.size());
    printer.SetFaults(faults);
  }

  testing::InProcessRun Run(const MatrixCommand& command) const {
    std::vector<std::string> args{"--virtual", printer_dir_.string()};
    for (const std::string& arg : command.args) args.push_back(arg == "FILE" ? file_ : arg);
    testing::FakeClock clock = testing::ClockAtToday();
    // A journal of its own: every cell's printer has the same identity, and what one cell's
    // journal kept (its snapshot) would change what the next sends.
    return testing::RunOpalctlHere(args, clock, journal_dir_.path() / "journal.sqlite");
  }

  Image Before() const { return before_; }
  Image After() const { return vp::VirtualPrinter(printer_dir_).Eeprom(); }
  long BytesSent() const { return static_cast<long>(fs::file_size(printer_dir_ / "capture.prn")); }
  Image FileBytes() const {
    std::ifstream in(file_, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    Image image{};
    if (bytes.size() != image.size()) return image;
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
  }
  Image FileAsPrepared() const { return file_bytes_; }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  testing::TempDir dir_;
  testing::TempDir journal_dir_;
  fs::path printer_dir_ = dir_.path() / "printer";
  std::string file_ = (dir_.path() / "eeprom.bak").string();
  Image before_{};
  Image file_bytes_{};
};

void PrintTo(const MatrixCommand& command, std::ostream* out) {
  *out << command.name;
}

class FaultMatrixTest : public ::testing::TestWithParam<MatrixCommand> {};

TEST_P(FaultMatrixTest, EveryFaultEndsInTheTruth) {
  const MatrixCommand& command = GetParam();
  Image reference{};
  long reference_bytes = 0;
  for (const MatrixFault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    vp::Faults faults = fault.faults;
    if (fault.kind == Fault::OffAtEnd) faults.power_off_after_bytes = reference_bytes - 1;
    const Cell cell(faults);
    const auto run = cell.Run(command);
    const Image after = cell.After();
    if (fault.kind == Fault::None) {
      reference = after;
      reference_bytes = cell.BytesSent();
    }

    const int expected = ExpectedStatus(command, fault.kind);
    EXPECT_EQ(run.status, expected) << run.out << run.err;
    EXPECT_LE(run.took, command.waits + kFailureBound);
    if (expected == 0) {
      EXPECT_THAT(run.out, HasSubstr(command.success));
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_THAT(run.out, Not(HasSubstr(command.success)));
      EXPECT_THAT(run.err, ContainsRegex(Symptom(fault.kind)));
    }

    // A success leaves exactly what the fault-free run leaves; a failure may leave some of it
    // (bytes written before the failure stay written), and nothing else.
    if (run.status == 0) {
      EXPECT_EQ(after, reference);
    } else {
      for (std::size_t address = 0; address < after.size(); ++address) {
        EXPECT_THAT(after[address], ::testing::AnyOf(cell.Before()[address], reference[address]))
            << "address " << address;
      }
    }
    const bool saved = run.status == 0 && command.name == "EepromBackup";
    EXPECT_EQ(cell.FileBytes(), saved ? after : cell.FileAsPrepared());
    EXPECT_THAT(cell.FolderEntries(), ::testing::ElementsAre("eeprom.bak", "printer"));
  }
}

INSTANTIATE_TEST_SUITE_P(Opalctl, FaultMatrixTest, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace opal
