#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tests/support/fakes.h"
#include "tests/virtualprinter/printerfixture.h"
#include "virtualport/virtualport.h"

namespace vp::testing {
namespace {

namespace fs = std::filesystem;
using ClaimTest = PrinterTest;

TEST_F(ClaimTest, OneHolderAtATime) {
  VirtualPrinter other(Dir());
  ASSERT_TRUE(printer_.Claim());
  EXPECT_FALSE(printer_.Claim());
  EXPECT_FALSE(other.Claim());
  printer_.Release();
  EXPECT_TRUE(other.Claim());
  EXPECT_FALSE(printer_.Claim());
}

TEST_F(ClaimTest, TakenPrinterSeesWhatTheLastHolderWrote) {
  VirtualPrinter other(Dir());  // opened before the writes below: what it read is stale
  ASSERT_TRUE(printer_.Claim());
  printer_.Feed(EepromWriteFrame(0x10, 0x77), kNow);
  printer_.SetFaults({.reply_delay_ms = 5});
  printer_.Release();

  ASSERT_TRUE(other.Claim());
  EXPECT_EQ(other.Eeprom()[0x10], 0x77);
  EXPECT_EQ(other.GetFaults().reply_delay_ms, 5);
  other.Feed(EepromWriteFrame(0x11, 0x88), kNow);
  const Bytes stored = ReadFile(Dir() / "eeprom.bin");
  EXPECT_EQ(stored[0x10], 0x77);
  EXPECT_EQ(stored[0x11], 0x88);
}

TEST_F(ClaimTest, DirectoryBrokenMeanwhileIsRefusedAndLeftFree) {
  VirtualPrinter other(Dir());
  const Bytes eeprom = ReadFile(Dir() / "eeprom.bin");
  fs::resize_file(Dir() / "eeprom.bin", 10);
  EXPECT_THROW((void)other.Claim(), std::runtime_error);
  EXPECT_EQ(other.Eeprom(), printer_.Eeprom());
  std::ofstream(Dir() / "eeprom.bin", std::ios::binary)
      .write(reinterpret_cast<const char*>(eeprom.data()),
             static_cast<std::streamsize>(eeprom.size()));
  EXPECT_TRUE(printer_.Claim());
}

TEST_F(ClaimTest, PrinterHeldByAnotherProcessIsRefused) {
  int held[2];
  int done[2];
  ASSERT_EQ(::pipe(held), 0);
  ASSERT_EQ(::pipe(done), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(held[0]);
    ::close(done[1]);
    VirtualPrinter printer(Dir());
    const char answer = printer.Claim() ? 'y' : 'n';
    char ignored = 0;
    const bool told = ::write(held[1], &answer, 1) == 1;
    // Holds the printer until the test closes its end; the process's end lets go of the lock.
    const bool waited = ::read(done[0], &ignored, 1) >= 0;
    ::_exit(told && waited ? 0 : 1);
  }
  ::close(held[1]);
  ::close(done[0]);
  char answer = 0;
  ASSERT_EQ(::read(held[0], &answer, 1), 1);
  EXPECT_EQ(answer, 'y');
  EXPECT_FALSE(printer_.Claim());
  ::close(done[1]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::close(held[0]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(printer_.Claim());
}

class VirtualPortTest : public PrinterTest {
 protected:
  opal::testing::FakeClock clock_;
  opal::VirtualPortProvider provider_{printer_, clock_, clock_};
};

TEST_F(VirtualPortTest, OpenWhileAnotherProgramHoldsThePrinterIsBusy) {
  VirtualPrinter other(Dir());
  opal::VirtualPortProvider theirs(other, clock_, clock_);
  opal::OpenOutcome mine = provider_.Open(opal::PortId::Vlusb1);
  ASSERT_TRUE(mine.device);
  const opal::OpenOutcome refused = theirs.Open(opal::PortId::Vlusb1);
  EXPECT_FALSE(refused.device);
  EXPECT_EQ(refused.failure, opal::OpenFailure::Busy);
  EXPECT_EQ(refused.detail, "The printer is in use by another program.");
  mine.device.reset();
  EXPECT_TRUE(theirs.Open(opal::PortId::Vlusb1).device);
}

TEST_F(VirtualPortTest, PrinterThatCannotKeepAWriteBreaksTheLink) {
  const opal::OpenOutcome opened = provider_.Open(opal::PortId::Vlusb1);
  ASSERT_TRUE(opened.device);
  fs::remove(Dir() / "eeprom.bin");
  fs::create_directory(Dir() / "eeprom.bin");
  EXPECT_EQ(opened.device->WriteSome(EepromWriteFrame(0x10, 0x77)), -1);
}

}  // namespace
}  // namespace vp::testing
