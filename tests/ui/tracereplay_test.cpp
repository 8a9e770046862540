#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "link/replayport.h"
#include "link/tracingport.h"
#include "tests/ui/support/bidrows.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/widgets/radiogroup.h"

namespace opal::testing {
namespace {

namespace fs = std::filesystem;

// A virtual printer of its own, heard through a trace.
class TracedPrinter final : public PortProvider {
 public:
  TracedPrinter(const fs::path& dir, const fs::path& trace, FakeClock& clock)
      : printer_(dir, "320"),
        inner_(printer_, clock, clock),
        tracing_(inner_, std::make_shared<TraceRecorder>(
                             std::make_unique<TraceWriter>(trace, TraceHeader{}), clock, false)) {}
  OpenOutcome Open(PortId port) override { return tracing_.Open(port); }

 private:
  vp::VirtualPrinter printer_;
  VirtualPortProvider inner_;
  TracingPortProvider tracing_;
};

// What the technician saw of a Bi-D repair in the individual form: a check print, then a value
// written, each status as it stood after its step.
std::vector<QString> BidRepair(UiWorld& world) {
  world.Connect();
  ui::TFormAdjust& form = *world.forms.FormAdjust;
  const auto press = [&](const char* button) {
    QTest::mouseClick(&Find<QPushButton>(form, button), Qt::LeftButton);
  };
  const auto choose = [&](int item) {
    for (const auto& [group, index] : {std::pair{"AdjustRdoGrp", 1}, {"BidRdoBtn", item}}) {
      QRadioButton* mark = Find<ui::RadioGroup>(form, group).findChildren<QRadioButton*>()[index];
      QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(8, mark->height() / 2));
    }
    press("BidOKBtn");
  };
  const auto status = [&] { return Find<QPlainTextEdit>(form, "StatusMemo").toPlainText(); };
  std::vector<QString> seen;
  choose(0);
  press("BidPrnOKBtn");
  seen.push_back(status());
  // A done status leaves the form disabled until the re-enable timer's tick.
  form.DisableTimerTimer();
  press("BidPrnRtnBtn");
  choose(1);
  Find<QLineEdit>(form, kBidEdits[0]).setText("3");
  Find<QCheckBox>(form, kBidBoxes[0]).setChecked(true);
  press("BidWrtOKBtn");
  seen.push_back(status());
  return seen;
}

TEST(UiTraceReplay, ABidRepairReplaysThroughTheSameStepsToTheSameOutcome) {
  TempDir temp;
  const fs::path trace = temp.path() / "bid-repair.trace";
  std::vector<QString> recorded;
  std::vector<ShownDialog> recorded_dialogs;
  {
    UiWorld world("320", [&](FakeClock& clock) {
      return std::make_unique<TracedPrinter>(temp.path() / "printer", trace, clock);
    });
    recorded = BidRepair(world);
    recorded_dialogs = world.dialogs.shown;
  }
  ASSERT_THAT(recorded.back().toStdString(), ::testing::HasSubstr("has been written in EEPROM"));

  ReplayPortProvider* replay = nullptr;
  UiWorld world("320", [&](FakeClock& clock) {
    auto provider = std::make_unique<ReplayPortProvider>(LoadTrace(trace), clock, clock);
    replay = provider.get();
    return provider;
  });
  EXPECT_EQ(BidRepair(world), recorded);
  EXPECT_EQ(world.dialogs.shown, recorded_dialogs);
  world.session.port.Close();
  replay->Finish(0);
  EXPECT_EQ(replay->Difference(), std::nullopt);
}

}  // namespace
}  // namespace opal::testing
