#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>

#include "tests/cli/inprocessopalctl.h"
#include "tests/support/runprogram.h"
#include "tests/support/tempdir.h"
#include "virtualport/virtualport.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

constexpr std::string_view kInUse = "The printer is in use by another program.\n";

TEST(SharedPrinterTest, ASecondProgramIsToldThePrinterIsInUseAndSendsNothing) {
  testing::TempDir dir;
  const auto printer_dir = dir.path() / "printer";
  testing::FakeClock clock = testing::ClockAtToday();
  vp::VirtualPrinter holder(printer_dir);
  VirtualPortProvider provider(holder, clock, clock);
  const OpenOutcome held = provider.Open(PortId::Vlusb1);
  ASSERT_NE(held.device, nullptr);

  const auto run = testing::RunOpalctlHere(
      {"--virtual", printer_dir.string(), "eeprom", "write", "5E", "02"}, clock);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, kInUse);
  EXPECT_EQ(vp::VirtualPrinter(printer_dir).Eeprom()[0x5E], 0x00);
}

TEST(SharedPrinterTest, ALockFileThatIsALinkIsRefusedByNameNotTakenForASilentPrinter) {
  testing::TempDir dir;
  const auto printer_dir = dir.path() / "printer";
  { vp::VirtualPrinter fresh(printer_dir); }
  std::ofstream(dir.path() / "elsewhere") << "";
  std::filesystem::create_symlink(dir.path() / "elsewhere", printer_dir / ".lock");
  testing::FakeClock clock = testing::ClockAtToday();
  const auto run =
      testing::RunOpalctlHere({"--virtual", printer_dir.string(), "usb-id", "read"}, clock);
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, ::testing::StartsWith((printer_dir / ".lock").string() + " is a link"));
}

// Each program keeps the EEPROM it loaded; without one holder at a time, the later one to save
// puts back the byte the other just wrote.
TEST(SharedPrinterTest, ConcurrentWritersNeverBothSucceedWhileAWriteIsLost) {
  struct Writer {
    uint8_t address;
    uint8_t value;
    std::vector<std::string> args;
  };
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    testing::TempDir dir;
    const std::string printer_dir = (dir.path() / "printer").string();
    { vp::VirtualPrinter fresh(printer_dir); }
    const std::array<Writer, 2> writers{{
        {0x5E, 0x02, {"--virtual", printer_dir, "eeprom", "write", "5E", "02"}},
        {0x5F, 0x03, {"--virtual", printer_dir, "eeprom", "write", "5F", "03"}},
    }};
    std::array<std::future<testing::ProgramRun>, 2> runs;
    for (std::size_t i = 0; i < writers.size(); ++i) {
      runs[i] = std::async(std::launch::async,
                           [&, i] { return testing::RunProgram(OPALCTL_PATH, writers[i].args); });
    }
    std::array<testing::ProgramRun, 2> results{runs[0].get(), runs[1].get()};
    const auto eeprom = vp::VirtualPrinter(printer_dir).Eeprom();
    for (std::size_t i = 0; i < writers.size(); ++i) {
      if (results[i].status == 0) {
        EXPECT_EQ(eeprom[writers[i].address], writers[i].value) << "writer " << i;
      } else {
        EXPECT_EQ(results[i].status, 1) << results[i].err;
        EXPECT_EQ(results[i].err, kInUse);
      }
    }
  }
}

}  // namespace
}  // namespace opal
