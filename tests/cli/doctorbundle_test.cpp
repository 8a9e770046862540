#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/inprocessopalctl.h"
#include "tests/support/runprogram.h"
#include "tests/support/tempdir.h"
#include "tests/support/tracefiles.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

TEST(DoctorBundleTest, HoldsTheFindingsTracesAndJournalWithNoSerialLeft) {
  testing::TempDir temp;
  const fs::path printer = temp.path() / "printer";
  const fs::path journal = temp.path() / "data" / "journal.sqlite";
  vp::VirtualPrinter(printer, "320");
  const std::string serial = vp::VirtualPrinter(printer).GetSimulation().serial_label;
  testing::FakeClock clock = testing::TraceClock();
  // A trace that keeps the IDs (the check sheet prints the USB ID), and a journal entry of a USB
  // ID write.
  const auto traced = testing::RunOpalctlHere(
      {"--virtual", printer.string(), "--trace", (temp.path() / "kept.trace").string(),
       "--trace-keep-ids", "print", "a4"},
      clock, journal);
  ASSERT_EQ(traced.status, 0) << traced.err;
  ASSERT_THAT(testing::ReadWholeFile(temp.path() / "kept.trace"),
              HasSubstr(testing::HexRun(serial)));
  const auto written = testing::RunOpalctlHere(
      {"--virtual", printer.string(), "--trace", (temp.path() / "write.trace").string(),
       "--trace-keep-ids", "usb-id", "write", "QX7Z3K9M2B"},
      clock, journal);
  ASSERT_EQ(written.status, 0) << written.err;

  const fs::path bundle = temp.path() / "bundle.tar.gz";
  const auto run = testing::RunOpalctlHere({"doctor", "--bundle", bundle.string()}, clock, journal);
  EXPECT_THAT(run.out, HasSubstr("Support bundle written to " + bundle.string()));
  const fs::path out = temp.path() / "out";
  fs::create_directories(out);
  ASSERT_EQ(testing::RunProgram("/bin/tar", {"-xzf", bundle.string(), "-C", out.string()}).status,
            0);

  EXPECT_THAT(testing::ReadWholeFile(out / "versions.txt"), HasSubstr("opal-service "));
  EXPECT_THAT(testing::ReadWholeFile(out / "system.txt"), HasSubstr("kernel "));
  EXPECT_THAT(testing::ReadWholeFile(out / "findings.txt"), HasSubstr("VLUSB1:"));
  EXPECT_THAT(testing::ReadWholeFile(out / "journal.txt"), HasSubstr("USB ID **********"));
  EXPECT_TRUE(fs::exists(out / "traces" / "1-kept.trace"));
  EXPECT_TRUE(fs::exists(out / "traces" / "2-write.trace"));
  for (const auto& file : fs::recursive_directory_iterator(out)) {
    if (!file.is_regular_file()) continue;
    const std::string text = testing::ReadWholeFile(file.path());
    for (const std::string& id : {serial, std::string("QX7Z3K9M2B")}) {
      EXPECT_THAT(text, Not(HasSubstr(id))) << file.path();
      EXPECT_THAT(text, Not(HasSubstr(testing::HexRun(id)))) << file.path();
    }
  }
}

TEST(DoctorBundleTest, IsWrittenOnlyToAPlainFile) {
  testing::TempDir temp;
  fs::create_directories(temp.path() / "taken");
  testing::FakeClock clock;
  const auto run = testing::RunOpalctlHere({"doctor", "--bundle", (temp.path() / "taken").string()},
                                           clock, temp.path() / "j.sqlite");
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("is not a regular file"));
}

}  // namespace
}  // namespace opal
