#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <string>

#include "tests/virtualprinter/printedpages.h"
#include "tests/virtualprinter/printerfixture.h"
#include "virtualprinter/grading.h"
#include "virtualprinter/scenario.h"

namespace vp::testing {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using vp::testing::PrintTo;

const Bytes kNozzleCheck{0x1B, 0x28, 0x52, 0x08, 0x00, 0x00, 'R',  'E', 'M', 'O',
                         'T',  'E',  '1',  'L',  'D',  0x00, 0x00, 'N', 'C', 0x02,
                         0x00, 0x00, 0x00, 0x1B, 0x00, 0x00, 0x00, 0x0C};
const Bytes kPowerfulCleaning{0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x84, 0x7B, 0x42, 0x0A};
const Bytes kInkCharge{0x1B, 0x7C, 0x00, 0x06, 0x00, 0x06, 0x31, 0x84, 0x7B, 0x42, 0x09};
// The blocks of the nozzle check page from left to right, as inks in the order of Simulation.
constexpr std::array<std::size_t, 6> kBlockInk{0, 1, 4, 2, 5, 3};
constexpr int kNozzles = 48;

bool Matches(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

class ScenarioTest : public ::testing::Test {
 protected:
  VirtualPrinter& Make(const std::string& scenario) {
    printer_.emplace(Dir(), "320", scenario);
    return *printer_;
  }
  std::filesystem::path Dir() const { return temp_.path() / "printer"; }

  // The nozzle check page's lines per block, and the darkest channel value met.
  struct NozzleLines {
    std::array<int, 6> lines{};
    int darkest = 255;
  };
  NozzleLines PrintNozzleCheck() {
    printer_->Feed(kNozzleCheck, kNow);
    const QImage page = LoadPage(*printer_, PageCount(*printer_));
    NozzleLines found;
    const int block_width = PageCanvas::kPrintableWidth / 6;
    for (int block = 0; block < 6; ++block) {
      const int left = kOrigin + block * block_width;
      for (int y = kOrigin + kLine; y < kOrigin + 3 * kLine + 144; ++y) {
        for (int x = left; x < left + block_width; ++x) {
          if (!Inked(page, x, y)) continue;
          const QColor ink(page.pixel(x, y));
          found.darkest = std::min({found.darkest, ink.red(), ink.green(), ink.blue()});
          ++found.lines[static_cast<std::size_t>(block)];
          break;
        }
      }
    }
    return found;
  }

  std::vector<std::string> Grade() { return GradePrinter(Dir()).lines; }

  opal::testing::TempDir temp_;
  std::optional<VirtualPrinter> printer_;
};

struct ScenarioCase {
  const char* name;
  const char* scenario;
  const char* fault;  // a line of the grade that names what is wrong
};

class EveryScenario : public ScenarioTest, public ::testing::WithParamInterface<ScenarioCase> {};

TEST_P(EveryScenario, IsKeptAcrossRestartsAndGradedNotRepaired) {
  const std::string scenario = GetParam().scenario;
  Make(scenario);
  printer_.reset();
  EXPECT_EQ(VirtualPrinter(Dir()).GetSimulation().scenario, scenario);
  EXPECT_NO_THROW(VirtualPrinter(Dir(), "320", scenario));
  EXPECT_THROW(VirtualPrinter(Dir(), "320", scenario == "new-head" ? "full-waste-pad" : "new-head"),
               std::runtime_error);
  const PrinterGrade grade = GradePrinter(Dir());
  EXPECT_FALSE(grade.repaired);
  EXPECT_TRUE(Matches(grade.lines, GetParam().fault)) << ::testing::PrintToString(grade.lines);
  EXPECT_EQ(grade.lines.back(), "Not repaired");
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, EveryScenario,
    ::testing::Values(ScenarioCase{"MisalignedHead", "misaligned-head", " off (head "},
                      ScenarioCase{"HeadReseated", "head-reseated", "Nozzles not firing: "},
                      ScenarioCase{"NewHead", "new-head", "Ink charge: not done"},
                      ScenarioCase{"NewMainBoard", "new-main-board",
                                   "stored USB ID ?????????? does not match"},
                      ScenarioCase{"FullWastePad", "full-waste-pad",
                                   "32915 of 32915, the waste-ink pad is full"}),
    kCaseName);

TEST_F(ScenarioTest, AnUnknownScenarioIsRefused) {
  EXPECT_THROW(Make("dusty-printer"), std::runtime_error);
}

TEST_F(ScenarioTest, AMisalignedHeadIsOffInEveryRowByWhatOneCheckPrintShows) {
  const Simulation simulation = Make("misaligned-head").GetSimulation();
  const auto eeprom = printer_->Eeprom();
  constexpr std::array<uint8_t, 6> kBidAddresses{0x33, 0x36, 0x34, 0x37, 0x35, 0x38};
  for (std::size_t row = 0; row < 6; ++row) {
    const int off =
        simulation.bid_misalignment[row] - static_cast<int8_t>(eeprom[kBidAddresses[row]]);
    EXPECT_NE(off, 0) << row;
    EXPECT_LE(std::abs(off), 2) << row;
  }
}

TEST_F(ScenarioTest, CloggedNozzlesLeaveGapsUntilCleaningsClearThem) {
  Make("head-reseated");
  const auto clogged = printer_->GetSimulation().clogged_nozzles;
  NozzleLines page = PrintNozzleCheck();
  for (std::size_t block = 0; block < 6; ++block) {
    EXPECT_EQ(page.lines[block], kNozzles - std::popcount(clogged[kBlockInk[block]])) << block;
  }
  printer_->Feed(kPowerfulCleaning, kNow);
  const auto after_one = printer_->GetSimulation().clogged_nozzles;
  for (std::size_t ink = 0; ink < 6; ++ink) {
    EXPECT_EQ(std::popcount(after_one[ink]), std::popcount(clogged[ink]) / 2) << ink;
  }
  for (int cleaning = 0; cleaning < 5; ++cleaning) printer_->Feed(kPowerfulCleaning, kNow);
  page = PrintNozzleCheck();
  EXPECT_THAT(page.lines, ::testing::Each(kNozzles));
  EXPECT_TRUE(Matches(Grade(), "Nozzles not firing: none"));
}

TEST_F(ScenarioTest, ANewHeadPrintsNothingBeforeTheInkChargeAndFaintUntilItsIdIsStored) {
  Make("new-head");
  // The label of the worked example, so its EEPROM bytes are known.
  Simulation simulation = printer_->GetSimulation();
  simulation.head_label = "AZBCDEFJKLMNW";
  printer_->SetSimulation(simulation);

  EXPECT_THAT(PrintNozzleCheck().lines, ::testing::Each(0));
  printer_->Feed(kInkCharge, kNow);
  const NozzleLines faint = PrintNozzleCheck();
  for (const int lines : faint.lines) {
    EXPECT_GT(lines, 0);
    EXPECT_LT(lines, kNozzles);  // banded
  }
  EXPECT_GT(faint.darkest, 100);

  const std::array<std::pair<uint8_t, uint8_t>, 13> kHeadIdWrites{{{0x46, 0x5A},
                                                                   {0x3F, 0x01},
                                                                   {0x45, 0x00},
                                                                   {0x40, 0x02},
                                                                   {0x41, 0x03},
                                                                   {0x42, 0x04},
                                                                   {0x43, 0x05},
                                                                   {0x44, 0x06},
                                                                   {0x47, 0x28},
                                                                   {0x4A, 0x29},
                                                                   {0x48, 0x2A},
                                                                   {0x4B, 0x2B},
                                                                   {0x49, 0x2C}}};
  for (const auto& [address, value] : kHeadIdWrites) {
    printer_->Feed(EepromWriteFrame(address, value), kNow);
  }
  const NozzleLines sharp = PrintNozzleCheck();
  EXPECT_THAT(sharp.lines, ::testing::Each(kNozzles));
  EXPECT_LT(sharp.darkest, 60);
  const std::vector<std::string> grade = Grade();
  EXPECT_THAT(grade, Contains("Head label: AZBCDEFJKLMNW, stored head ID AZBCDEFJKLMNW matches"));
  EXPECT_THAT(grade, Contains("Ink charge: done"));
}

TEST_F(ScenarioTest, AFullPadTakesPagesButPrintsNoneUntilTheCounterIsCleared) {
  Make("full-waste-pad");
  printer_->Feed(kNozzleCheck, kNow);
  EXPECT_EQ(PageCount(*printer_), 0);
  printer_->Feed(Concat({EepromWriteFrame(0x1A, 0), EepromWriteFrame(0x1B, 0)}), kNow);
  printer_->Feed(kNozzleCheck, kNow);
  EXPECT_EQ(PageCount(*printer_), 1);
  const PrinterGrade grade = GradePrinter(Dir());
  EXPECT_TRUE(grade.repaired) << ::testing::PrintToString(grade.lines);
}

TEST_F(ScenarioTest, ASpareMainBoardHoldsNoneOfThePrintersValuesButItsLabelsAreKnown) {
  Make("new-main-board");
  const auto eeprom = printer_->Eeprom();
  EXPECT_TRUE(
      std::all_of(eeprom.begin() + 0x3F, eeprom.begin() + 0x5E, [](uint8_t b) { return b == 0; }));
  EXPECT_TRUE(
      std::all_of(eeprom.begin() + 0x33, eeprom.begin() + 0x39, [](uint8_t b) { return b == 0; }));
  const Simulation simulation = printer_->GetSimulation();
  EXPECT_EQ(simulation.head_label, "M3RF5GTPQ2SLJ");
  EXPECT_EQ(simulation.serial_label, "K4A7Q20931");
}

TEST_F(ScenarioTest, GradingReadsThePrinterWhileAnotherProgramHoldsIt) {
  Make("");
  ASSERT_TRUE(printer_->Claim());
  const std::vector<std::string> fresh = Grade();
  EXPECT_THAT(fresh, Contains("Head label: M3RF5GTPQ2SLJ, stored head ID M3RF5GTPQ2SLJ matches"));
  EXPECT_THAT(fresh, Contains("Serial label: K4A7Q20931, stored USB ID K4A7Q20931 matches"));
  // The factory leaves the head a step or two off, for a check print to show.
  EXPECT_THAT(fresh, Contains("Bi-D MS Black: 1 off (head 4, stored 3)"));
  EXPECT_FALSE(GradePrinter(Dir()).repaired);

  const Simulation simulation = printer_->GetSimulation();
  constexpr std::array<uint8_t, 6> kBidAddresses{0x33, 0x36, 0x34, 0x37, 0x35, 0x38};
  for (std::size_t row = 0; row < 6; ++row) {
    printer_->Feed(EepromWriteFrame(kBidAddresses[row],
                                    static_cast<uint8_t>(simulation.bid_misalignment[row])),
                   kNow);
  }
  const PrinterGrade repaired = GradePrinter(Dir());
  EXPECT_TRUE(repaired.repaired) << ::testing::PrintToString(repaired.lines);
  EXPECT_EQ(repaired.lines.back(), "Repaired");
}

TEST_F(ScenarioTest, NoPrinterIsNothingToGrade) {
  EXPECT_THROW(GradePrinter(Dir()), std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(Dir()));
}

struct SettingCase {
  const char* name;
  const char* json;
};

class TrainingSettingTest : public ScenarioTest,
                            public ::testing::WithParamInterface<SettingCase> {};

TEST_P(TrainingSettingTest, AMistakenTrainingSettingIsRefused) {
  std::filesystem::create_directories(Dir());
  std::ofstream(Dir() / "printer.json") << GetParam().json;
  EXPECT_THROW(VirtualPrinter{Dir()}, std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TrainingSettingTest,
    ::testing::Values(
        SettingCase{"NozzleBeyondTheHead",
                    R"({"model": "320", "clogged_nozzles": {"cyan": [48]}})"},
        SettingCase{"UnknownInk", R"({"model": "320", "clogged_nozzles": {"grey": [1]}})"},
        SettingCase{"ChargedNotAFlag", R"({"model": "320", "ink_charged": "yes"})"},
        SettingCase{"HeadLabelTooLong", R"({"model": "320", "head_label": "M3RF5GTPQ2SLJX"})"}),
    kCaseName);

TEST_F(ScenarioTest, TrainingSettingsSurviveARestart) {
  Make("");
  Simulation simulation = printer_->GetSimulation();
  simulation.clogged_nozzles[2] = 0b1010;
  simulation.ink_charged = false;
  simulation.serial_label = "AB12345678";
  printer_->SetSimulation(simulation);
  printer_.reset();
  const Simulation loaded = VirtualPrinter(Dir()).GetSimulation();
  EXPECT_EQ(loaded.clogged_nozzles, simulation.clogged_nozzles);
  EXPECT_FALSE(loaded.ink_charged);
  EXPECT_EQ(loaded.serial_label, "AB12345678");
}

}  // namespace
}  // namespace vp::testing
