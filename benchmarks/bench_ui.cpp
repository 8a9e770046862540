#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "benchmarks/benchsupport.h"
#include "service/servicemodules.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/navigator.h"
#include "ui/panels/eeprompanels.h"
#include "ui/panels/liquidexchangepanel.h"
#include "ui/panels/panelhost.h"
#include "ui/seams/dialogs.h"
#include "ui/seams/inputdrop.h"
#include "ui/seams/responsivesleeper.h"
#include "ui/servicecontext.h"
#include "ui/widgets/jpegpicture.h"

namespace {

// Shows whichever panel is asked for and nothing else: the panels' own work is what is measured.
class PanelStack final : public opal::ui::PanelHost {
 public:
  PanelStack(QWidget& area, const opal::TFactoryCommand& command)
      : PanelHost(command), area_(area) {}
  void ShowStatus(opal::StatusMode, const QString&) override {}
  void ResetPanels(bool) override {
    for (QWidget* panel : area_.findChildren<opal::ui::OperationPanel*>()) panel->hide();
  }
  void ShowPanel(opal::ui::PanelId id) override {
    for (auto* panel : area_.findChildren<opal::ui::OperationPanel*>()) {
      if (panel->Id() == id) panel->show();
    }
  }
  void SetStatusMemoVisible(bool) override {}
  void SetAdjustedItem(opal::ui::AdjustedItem, const QString&) override {}
  void CloseWithoutInitialisation() override {}
  opal::PrinterModel SelectedModelCode() const override { return opal::PrinterModel::Opal320; }

 private:
  QWidget& area_;
};

void DecodeHeadPhotograph(benchmark::State& state) {
  for (auto _ : state) {
    const opal::ui::JpegPicture picture = opal::ui::HeadIdPhotograph();
    if (picture.image.isNull()) state.SkipWithError("no picture");
    benchmark::DoNotOptimize(picture.image.constBits());
  }
}
BENCHMARK(DecodeHeadPhotograph)->Unit(benchmark::kMicrosecond);

// What a technician waits for: all 256 bytes read into the grid, each cell painted as it arrives.
void EepromGridFilledThroughTheVirtualPrinter(benchmark::State& state) {
  opal::bench::VirtualLink link;
  opal::ui::MessageBoxDialogs dialogs;
  opal::ui::ServiceContext context{.port = link.session.port,
                                   .command = link.session.command,
                                   .clock = link.clock,
                                   .sleeper = link.sleeper,
                                   .dialogs = dialogs,
                                   .exit = link.exit,
                                   .operations = link.session.operations};
  QWidget area;
  auto* layout = new QVBoxLayout(&area);
  PanelStack host(area, link.session.command);
  for (opal::ui::OperationPanel* panel : opal::ui::MakeEepromPanels(context, host)) {
    layout->addWidget(panel);
    panel->hide();
  }
  area.show();
  host.ShowPanel(opal::ui::PanelId::EepromRead);
  auto& grid = *area.findChild<QTableWidget*>(QStringLiteral("EepromStrGrid"));
  for (auto _ : state) {
    area.findChild<QLineEdit*>(QStringLiteral("EepReadBegEdit"))->setText(QStringLiteral("00"));
    area.findChild<QLineEdit*>(QStringLiteral("EepReadEndEdit"))->setText(QStringLiteral("FF"));
    area.findChild<QPushButton*>(QStringLiteral("EepromReadOkBtn"))->click();
    if (grid.item(16, 16)->text().isEmpty()) state.SkipWithError("the grid was not filled");
    host.ResetPanels(false);
    host.ShowPanel(opal::ui::PanelId::EepromRead);
  }
}
BENCHMARK(EepromGridFilledThroughTheVirtualPrinter)->Unit(benchmark::kMillisecond);

// Every question answered Yes, every notice taken: nothing waits for a person.
class AnsweringYes final : public opal::ui::Dialogs {
 public:
  bool Confirm(const QString&) override { return true; }
  void Inform(const QString&) override {}
  void Warn(const QString&) override {}
  void Error(const QString&, const QString&) override {}
  bool ErrorOffering(const QString&, const QString&, const QString&) override { return false; }
  int Choose(const QString&, const QStringList&) override { return 0; }
};

// The program's forms as the technician has them, on a virtual printer whose every reply comes
// late, with the program's waits and idle hook.
struct ProgramOnALatePrinter {
  static constexpr int kReplyDelayMs = 100;

  ProgramOnALatePrinter() {
    link.printer.SetFaults({.reply_delay_ms = kReplyDelayMs});
    link.session.port.SetIdle(opal::ui::ProcessEventsDroppingInput);
    forms.FormBoot->show();
  }
  // OK on the start-up form with the Opal 320, VLUSB1, "Standard" and the individual program.
  void StartUp() {
    opal::ui::TFormBoot& boot = *forms.FormBoot;
    for (const auto& [combo, item] : {std::pair{"ModelNameCombo", 1},
                                      {"PortSelectionCombo", 3},
                                      {"DestinationCombo", 0},
                                      {"ProgramTypeCombo", 0}}) {
      boot.findChild<QComboBox*>(QString::fromLatin1(combo))->setCurrentIndex(item);
    }
    boot.PortSelectOKBtnClick();
  }
  // Back to the start-up form, leaving the printer as it is.
  void BackToStart() {
    forms.FormAdjust->hide();
    forms.FormBoot->show();
  }

  opal::bench::VirtualLink link;
  opal::ui::ResponsiveSleeper sleeper;
  AnsweringYes dialogs;
  opal::ui::ServiceContext context{.port = link.session.port,
                                   .command = link.session.command,
                                   .clock = link.clock,
                                   .sleeper = sleeper,
                                   .dialogs = dialogs,
                                   .exit = link.exit,
                                   .operations = link.session.operations};
  opal::ui::Navigator forms{context};
};

// The longest time the event loop did not come round while `operation` ran: a 10 ms timer notes
// each pass, so a gap is time in which no window could repaint or take a click.
double LongestEventLoopGapMs(const std::function<void()>& operation) {
  QElapsedTimer since_pass;
  qint64 longest = 0;
  QTimer pass;
  pass.setTimerType(Qt::PreciseTimer);
  pass.setInterval(10);
  QObject::connect(&pass, &QTimer::timeout, [&] {
    longest = std::max(longest, since_pass.nsecsElapsed());
    since_pass.restart();
  });
  pass.start();
  since_pass.start();
  operation();
  longest = std::max(longest, since_pass.nsecsElapsed());
  return static_cast<double>(longest) / 1e6;
}

// The worst over all iterations.
void ReportGap(benchmark::State& state, double longest_ms) {
  state.counters["longest_gap_ms"] = longest_ms;
}

void StartUpOnALatePrinter(benchmark::State& state) {
  ProgramOnALatePrinter program;
  double longest = 0;
  for (auto _ : state) {
    longest = std::max(longest, LongestEventLoopGapMs([&] { program.StartUp(); }));
    if (!program.forms.FormAdjust->isVisible()) state.SkipWithError("the program did not start");
    program.BackToStart();
  }
  ReportGap(state, longest);
}
BENCHMARK(StartUpOnALatePrinter)->Unit(benchmark::kMillisecond)->Iterations(3);

void BidCheckPrintOnALatePrinter(benchmark::State& state) {
  ProgramOnALatePrinter program;
  program.StartUp();
  opal::ui::TFormAdjust& form = *program.forms.FormAdjust;
  form.ResetPanels(false);
  form.ShowPanel(opal::ui::PanelId::BidPrint);
  auto& print = *form.findChild<QPushButton*>(QStringLiteral("BidPrnOKBtn"));
  double longest = 0;
  for (auto _ : state) {
    longest = std::max(longest, LongestEventLoopGapMs([&] { print.click(); }));
    form.DisableTimerTimer();
  }
  ReportGap(state, longest);
}
BENCHMARK(BidCheckPrintOnALatePrinter)->Unit(benchmark::kMillisecond)->Iterations(3);

// The exchange's ten seconds, then the printer stays silent two seconds more while it is asked
// for its device ID again and again.
void LiquidExchangePollingOnALatePrinter(benchmark::State& state) {
  ProgramOnALatePrinter program;
  program.link.printer.SetSimulation({.exchange_silence_ms = 12'000});
  program.StartUp();
  auto& exchange = *program.forms.FormAdjust->findChild<opal::ui::LiquidExchangePanel*>();
  double longest = 0;
  for (auto _ : state) {
    longest =
        std::max(longest, LongestEventLoopGapMs([&] { exchange.ExchangeSequence1PnlClick(); }));
    exchange.ClearInput();
  }
  ReportGap(state, longest);
}
BENCHMARK(LiquidExchangePollingOnALatePrinter)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  // Painting is measured, not shown: no screen is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
