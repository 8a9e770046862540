#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "tests/ui/support/bidrows.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/sequence.h"
#include "ui/widgets/clickablepanel.h"
#include "virtualprinter/grading.h"

namespace opal::testing {
namespace {

enum class Step { HeadId, InkCharge, NozzleCheck, Bid, UsbId, CounterClear };

struct ChainStep {
  Step kind;
  const char* panel;
};

struct ScenarioChain {
  int item;
  const char* scenario;
  std::vector<ChainStep> steps;
};

std::ostream& operator<<(std::ostream& out, const ScenarioChain& chain) {
  return out << "repair " << chain.item << " on " << chain.scenario;
}

const ScenarioChain kChains[] = {
    {1,
     "head-reseated",
     {{Step::NozzleCheck, "Repair1NozzleCheckPnl"}, {Step::Bid, "Repair1BidPnl"}}},
    {2,
     "new-head",
     {{Step::HeadId, "Repair2HeadIDPnl"},
      {Step::InkCharge, "Repair2InkChargePnl"},
      {Step::NozzleCheck, "Repair2NozzleCheckPnl"},
      {Step::Bid, "Repair2BidPnl"}}},
    {3,
     "new-main-board",
     {{Step::HeadId, "Repair3HeadIDPnl"},
      {Step::Bid, "Repair3BidPnl"},
      {Step::UsbId, "Repair3UsbInputPnl"}}},
    {4, "misaligned-head", {{Step::Bid, "Repair4BidPnl"}}},
    {5, "misaligned-head", {{Step::Bid, "Repair5BidPnl"}}},
    {6,
     "new-head",
     {{Step::HeadId, "Repair6HeadIDPnl"},
      {Step::InkCharge, "Repair6InkChargePnl"},
      {Step::NozzleCheck, "Repair6NozzleCheckPnl"},
      {Step::Bid, "Repair6BidPnl"}}},
    {7, "full-waste-pad", {{Step::CounterClear, "Repair7ProtectCounterPnl"}}},
};

// A technician repeats the nozzle check until no line is missing; a head that needs more
// cleanings than this is not coming clean.
constexpr int kMostNozzleChecks = 8;

// A technician at the repair form of a training printer, reading off the labels and the printed
// pages what the printer's settings say.
class RepairScenario : public ::testing::TestWithParam<ScenarioChain> {
 protected:
  RepairScenario() {
    // The USB ID's stamp takes today's date.
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    world.clock.SetLocalTime(today);
    world.Connect(1, 1);
  }

  QWidget& Form() { return *world.forms.FormSequentialRepair; }
  void Press(const char* name) {
    QTest::mouseClick(&Find<QPushButton>(Form(), name), Qt::LeftButton);
  }
  void Type(const char* edit, const std::string& text) {
    Find<QLineEdit>(Form(), edit).setText(QString::fromStdString(text));
  }

  void Run(Step kind) {
    const vp::Simulation printer = world.printer.GetSimulation();
    switch (kind) {
      case Step::HeadId:
        Type("HdVolWrtEdit", printer.head_label);
        Press("HdVolWrtOKBtn");
        return Press("HdVolWrtCompleteBtn");
      case Step::InkCharge:
        world.dialogs.answers.push_back(true);
        Press("ChargeOKBtn");
        return Press("InkChargeCompleteBtn");
      case Step::NozzleCheck:
        for (int check = 0; check < kMostNozzleChecks; ++check) {
          Press("NozzleCheckOKBtn");
          if (world.printer.GetSimulation().clogged_nozzles == vp::Simulation{}.clogged_nozzles) {
            break;
          }
        }
        return Press("NozzleCheckCompleteBtn");
      case Step::Bid:
        Press("BidPrintBtn");
        Press("BidAdjustBtn");
        for (std::size_t row = 0; row < kBidBoxes.size(); ++row) {
          Find<QCheckBox>(Form(), kBidBoxes[row]).setChecked(true);
          Type(kBidEdits[row], std::to_string(printer.bid_misalignment[row]));
        }
        Press("BidInputBtn");
        return Press("BidAdjustCompleteBtn");
      case Step::UsbId:
        Type("UsbIdInputEdit", printer.serial_label);
        Press("UsbIdInputOKBtn");
        return Press("UsbIdInputCompleteBtn");
      case Step::CounterClear:
        world.dialogs.answers.push_back(true);
        Press("CounterClearOKBtn");
        return Press("CounterClearCompleteBtn");
    }
  }

  UiWorld world{"320", {}, GetParam().scenario};
};

TEST_P(RepairScenario, TheRepairsChainLeavesThePrinterRepaired) {
  const ScenarioChain& chain = GetParam();
  EXPECT_FALSE(vp::GradePrinter(world.printer.Directory()).repaired);
  const std::string menu_item = "SeqRepairPnl" + std::to_string(chain.item);
  QTest::mouseClick(&Find<ui::ClickablePanel>(*world.forms.FormBootSequential, menu_item.c_str()),
                    Qt::LeftButton);
  for (std::size_t index = 0; index < chain.steps.size(); ++index) {
    SCOPED_TRACE(chain.steps[index].panel);
    if (index > 0) {
      QTest::mouseClick(&Find<ui::ClickablePanel>(Form(), chain.steps[index].panel),
                        Qt::LeftButton);
    }
    Run(chain.steps[index].kind);
  }
  EXPECT_EQ(world.forms.FormSequentialRepair->StepState(), ui::STEP_CHAIN_DONE);
  const vp::PrinterGrade grade = vp::GradePrinter(world.printer.Directory());
  EXPECT_TRUE(grade.repaired) << ::testing::PrintToString(grade.lines);
}

INSTANTIATE_TEST_SUITE_P(TrainingPrinter, RepairScenario, ::testing::ValuesIn(kChains));

}  // namespace
}  // namespace opal::testing
