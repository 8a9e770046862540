#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>

#include "service/printerhistory.h"
#include "tests/cli/inprocessopalctl.h"
#include "tests/support/pgserver.h"
#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Two benches, each with its journal and its shop.conf, on one shop database.
class ShopBenchesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OPAL_NEED_POSTGRES(server_);
    for (const std::string bench : {"bench-a", "bench-b"}) {
      fs::create_directories(dir_.path() / bench / "opal-service");
      std::ofstream(dir_.path() / bench / "opal-service" / "shop.conf")
          << "bench = " << bench << "\nconnection = " << server_.Connection() << '\n';
    }
  }

  testing::InProcessRun Run(const std::string& bench, const std::vector<std::string>& args) {
    ::setenv("XDG_CONFIG_HOME", (dir_.path() / bench).c_str(), 1);
    return testing::RunOpalctlHere(args, clock_, dir_.path() / bench / "journal.sqlite");
  }
  testing::InProcessRun On(const std::string& bench, const std::string& printer,
                           std::vector<std::string> args) {
    args.insert(args.begin(), {"--virtual", (dir_.path() / printer).string()});
    return Run(bench, args);
  }
  std::string Serial(const std::string& printer) const {
    return vp::VirtualPrinter(dir_.path() / printer).GetSimulation().serial_label;
  }

  testing::PostgresServer server_;
  testing::TempDir dir_;
  testing::FakeClock clock_ = testing::ClockAtToday();
};

TEST_F(ShopBenchesTest, AWriteOnOneBenchIsInTheOthersHistoryAndAnOutageLosesNothing) {
  ASSERT_EQ(On("bench-a", "printer-1", {"bid", "write", "ms-black", "5"}).status, 0);
  const std::string serial = Serial("printer-1");
  const auto seen = Run("bench-b", {"history", "--printer", serial});
  ASSERT_EQ(seen.status, 0) << seen.err;
  EXPECT_THAT(seen.out, HasSubstr("Bi-D write"));
  EXPECT_THAT(seen.out, HasSubstr("at bench bench-a"));
  EXPECT_THAT(seen.out, HasSubstr("Bi-D MS Black"));

  // With the server away, both benches write, and each says what waits.
  ASSERT_TRUE(server_.Stop());
  for (const auto& [bench, printer] :
       {std::pair{"bench-a", "printer-1"}, {"bench-b", "printer-2"}}) {
    const auto offline = On(bench, printer, {"bid", "write", "ms-color", "3"});
    EXPECT_EQ(offline.status, 0) << offline.err;
    EXPECT_THAT(offline.err, HasSubstr("wait to be forwarded")) << bench;
  }
  const auto away = Run("bench-a", {"shop", "status"});
  EXPECT_EQ(away.status, 1);
  EXPECT_THAT(away.out, HasSubstr("not reachable, 2 changes pending"));
  EXPECT_EQ(Run("bench-b", {"shop", "sync"}).status, 1);

  ASSERT_TRUE(server_.Start());
  for (const std::string bench : {"bench-a", "bench-b"}) {
    const auto sync = Run(bench, {"shop", "sync"});
    EXPECT_EQ(sync.status, 0) << sync.err;
    EXPECT_THAT(sync.out, HasSubstr("the shop holds every change"));
  }
  const auto one = Run("bench-b", {"history", "--printer", serial});
  EXPECT_EQ(Count(one.out, "Bi-D write"), 2u) << one.out;
  EXPECT_EQ(Count(one.out, "Bi-D MS Color"), 1u) << one.out;
  const auto two = Run("bench-a", {"history", "--printer", Serial("printer-2")});
  EXPECT_EQ(Count(two.out, "Bi-D write"), 1u) << two.out;
  EXPECT_THAT(two.out, HasSubstr("at bench bench-b"));
  const auto status = Run("bench-a", {"shop", "status"});
  EXPECT_EQ(status.status, 0);
  EXPECT_THAT(status.out, HasSubstr("reachable, nothing pending"));
}

TEST_F(ShopBenchesTest, ABlankBoardGetsItsPrintersValuesBackByItsSerial) {
  ASSERT_EQ(On("bench-a", "printer-1", {"bid", "write", "ms-black", "5"}).status, 0);
  const std::string serial = Serial("printer-1");
  const auto before = vp::VirtualPrinter(dir_.path() / "printer-1").Eeprom();
  {
    vp::VirtualPrinter board(dir_.path() / "printer-1");
    for (const uint8_t address : CalibrationAddresses()) board.SetEepromByte(address, 0);
  }

  const auto unknown =
      On("bench-b", "printer-1", {"journal", "restore-values", "--serial", "ZZ00000000", "--yes"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_THAT(unknown.err, HasSubstr("No snapshot of the printer with serial ZZ00000000"));
  // Nobody at a terminal to say yes: nothing is written.
  const auto unasked =
      On("bench-b", "printer-1", {"journal", "restore-values", "--serial", serial});
  EXPECT_EQ(unasked.status, 2);
  EXPECT_EQ(vp::VirtualPrinter(dir_.path() / "printer-1").Eeprom()[CalibrationAddresses().front()],
            0);

  const auto restored =
      On("bench-b", "printer-1", {"journal", "restore-values", "--serial", serial, "--yes"});
  ASSERT_EQ(restored.status, 0) << restored.err;
  EXPECT_THAT(restored.out, HasSubstr("The shop knows these values from the snapshot"));
  EXPECT_THAT(restored.out, HasSubstr("and 1 later entry"));
  EXPECT_THAT(restored.out, HasSubstr("USB ID"));
  EXPECT_THAT(restored.out, HasSubstr("Bi-D MS Black 0 → 5"));
  const auto after = vp::VirtualPrinter(dir_.path() / "printer-1").Eeprom();
  for (const uint8_t address : CalibrationAddresses()) EXPECT_EQ(after[address], before[address]);
}

}  // namespace
}  // namespace opal
