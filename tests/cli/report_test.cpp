#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "tests/cli/inprocessopalctl.h"
#include "tests/support/runprogram.h"
#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

// A visit on a virtual printer at a bench whose name needs escaping, without a shop.
class ReportTest : public ::testing::Test {
 protected:
  ReportTest() {
    fs::create_directories(fs::path(std::getenv("XDG_CONFIG_HOME")) / "opal-service");
    std::ofstream(fs::path(std::getenv("XDG_CONFIG_HOME")) / "opal-service" / "shop.conf")
        << "bench = b<3>&\n";
  }
  testing::InProcessRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--virtual", printer_.string()});
    return testing::RunOpalctlHere(args, clock_);
  }
  std::string Serial() const { return vp::VirtualPrinter(printer_).GetSimulation().serial_label; }

  testing::TempDir dir_;
  fs::path printer_ = dir_.path() / "printer";
  testing::FakeClock clock_ = testing::ClockAtToday();
};

TEST_F(ReportTest, APdfAndAnHtmlPageHoldTheVisitsOperationsAndPages) {
  ASSERT_EQ(Run({"bid", "write", "ms-black", "5"}).status, 0);
  ASSERT_EQ(Run({"head-id", "write", "AZBCDEFJKLMNW"}).status, 0);
  ASSERT_EQ(Run({"print", "nozzle"}).status, 0);
  const fs::path pdf = dir_.path() / "report.pdf", html = dir_.path() / "report.html";
  for (const fs::path& file : {pdf, html}) {
    const auto written = Run({"report", "--printer", Serial(), "-o", file.string()});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_THAT(written.out, HasSubstr("Wrote the report of 2 operations"));
  }

  const std::string page = testing::ReadWholeFile(html);
  for (const std::string& text :
       std::vector<std::string>{"Bi-D MS Black", "head ID", "AZBCDEFJKLMNW", Serial(),
                                "b&lt;3&gt;&amp;", "data:image/png;base64,"}) {
    EXPECT_THAT(page, HasSubstr(text));
  }
  EXPECT_THAT(page, Not(HasSubstr("b<3>")));

  if (!fs::exists("/usr/bin/pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
  const auto text = testing::RunProgram("/usr/bin/pdftotext", {pdf.string(), "-"});
  ASSERT_EQ(text.status, 0) << text.err;
  for (const std::string words :
       {"Service report", "head ID write", "AZBCDEFJKLMNW", "b<3>&", "Pages printed"}) {
    EXPECT_THAT(text.out, HasSubstr(words));
  }
  EXPECT_THAT(text.out, ::testing::ContainsRegex("Bi-D MS Black -?[0-9]+ → 5"));
}

TEST_F(ReportTest, WritesNothingItCannotWriteWhole) {
  ASSERT_EQ(Run({"bid", "write", "ms-black", "5"}).status, 0);
  const std::vector<std::pair<std::vector<std::string>, std::string>> refused{
      {{"--printer", Serial(), "-o", (dir_.path() / "report.txt").string()}, "as .pdf or .html"},
      {{"--printer", Serial(), "-o", (dir_.path() / "no/folder/report.pdf").string()},
       "not written"},
      {{"--printer", "NOPRINTER1", "-o", (dir_.path() / "report.pdf").string()},
       "nothing to report"},
  };
  for (const auto& [args, why] : refused) {
    std::vector<std::string> line{"report"};
    line.insert(line.end(), args.begin(), args.end());
    const auto run = Run(line);
    EXPECT_EQ(run.status, 1) << why;
    EXPECT_THAT(run.err, HasSubstr(why));
  }
  EXPECT_EQ(Run({"report", "--printer", Serial(), "--since", "yesterday", "-o", "r.pdf"}).status,
            2);
  EXPECT_FALSE(fs::exists(dir_.path() / "report.pdf"));
  EXPECT_FALSE(fs::exists(dir_.path() / "report.txt"));
}

}  // namespace
}  // namespace opal
