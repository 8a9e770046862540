#include <benchmark/benchmark.h>

#include <malloc.h>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "benchmarks/benchsupport.h"
#include "service/journalstore.h"
#include "service/processmemory.h"
#include "service/servicejournal.h"
#include "service/servicemodules.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/navigator.h"
#include "ui/forms/printedpages.h"
#include "ui/forms/printerwork.h"
#include "ui/panels/a4checkpanel.h"
#include "ui/panels/counterclearpanel.h"
#include "ui/panels/eeprompanels.h"
#include "ui/panels/liquidexchangepanel.h"
#include "ui/panels/panelhost.h"
#include "ui/seams/dialogs.h"
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
  QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

// The program's forms as the technician has them, on a virtual printer whose every reply comes
// late, with the program's waits and idle hook.
struct ProgramOnALatePrinter {
  static constexpr int kReplyDelayMs = 100;
  static constexpr bool kJournaled = true;

  explicit ProgramOnALatePrinter(bool journaled = false)
      : journal_store(journaled ? std::make_unique<opal::JournalStore>(link.dir / "journal.sqlite")
                                : nullptr),
        journal(journaled ? std::make_unique<opal::ServiceJournal>(
                                *journal_store, link.session, link.clock,
                                opal::JournalPrinter{link.dir.string(), "", "", ""})
                          : nullptr) {
    link.printer.SetFaults({.reply_delay_ms = kReplyDelayMs});
    link.session.port.SetIdle(opal::ui::PrinterIdle);
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
    link.session.port.Close();
    forms.FormAdjust->hide();
    forms.FormBoot->show();
  }

  opal::bench::VirtualLink link;
  opal::ui::ResponsiveSleeper sleeper;
  AnsweringYes dialogs;
  std::unique_ptr<opal::JournalStore> journal_store;
  std::unique_ptr<opal::ServiceJournal> journal;
  opal::ui::ServiceContext context{.port = link.session.port,
                                   .command = link.session.command,
                                   .clock = link.clock,
                                   .sleeper = sleeper,
                                   .dialogs = dialogs,
                                   .exit = link.exit,
                                   .operations = link.session.operations,
                                   .journal = journal.get()};
  opal::ui::Navigator forms{context};
  opal::ui::WorkWatched watched{opal::ui::PrinterWorkWatch(context)};
};

// CPU time the window's thread itself used: a gap as long as it is the program's own work there;
// a long gap with little of it was the thread waiting for a core.
double WindowThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Gap {
  double ms;
  double busy_ms;
};

// The times the event loop did not come round while `operation` ran: a 10 ms timer notes each
// pass, so a gap is time in which no window could repaint or take a click.
std::vector<Gap> EventLoopGaps(const std::function<void()>& operation) {
  QElapsedTimer since_pass;
  double cpu_at_pass = 0;
  std::vector<Gap> gaps;
  const auto note = [&] {
    const double cpu = WindowThreadCpuMs();
    gaps.push_back({static_cast<double>(since_pass.nsecsElapsed()) / 1e6, cpu - cpu_at_pass});
    cpu_at_pass = cpu;
    since_pass.restart();
  };
  QTimer pass;
  pass.setTimerType(Qt::PreciseTimer);
  pass.setInterval(10);
  QObject::connect(&pass, &QTimer::timeout, note);
  pass.start();
  since_pass.start();
  cpu_at_pass = WindowThreadCpuMs();
  operation();
  note();
  return gaps;
}

// Every gap of every iteration, reported as the median, the 99th percentile and the longest,
// with the most the window's thread itself worked within one gap.
class Gaps {
 public:
  void Measure(const std::function<void()>& operation) {
    const std::vector<Gap> more = EventLoopGaps(operation);
    gaps_.insert(gaps_.end(), more.begin(), more.end());
  }
  void Report(benchmark::State& state) {
    std::sort(gaps_.begin(), gaps_.end(), [](Gap a, Gap b) { return a.ms < b.ms; });
    const auto at = [&](double share) {
      return gaps_[static_cast<std::size_t>(share * static_cast<double>(gaps_.size() - 1))].ms;
    };
    state.counters["gap_p50_ms"] = at(0.5);
    state.counters["gap_p99_ms"] = at(0.99);
    state.counters["gap_max_ms"] = gaps_.back().ms;
    state.counters["gap_max_busy_ms"] =
        std::max_element(gaps_.begin(), gaps_.end(), [](Gap a, Gap b) {
          return a.busy_ms < b.busy_ms;
        })->busy_ms;
  }

 private:
  std::vector<Gap> gaps_;
};

void StartUpOnALatePrinter(benchmark::State& state) {
  ProgramOnALatePrinter program;
  Gaps gaps;
  for (auto _ : state) {
    gaps.Measure([&] { program.StartUp(); });
    if (!program.forms.FormAdjust->isVisible()) state.SkipWithError("the program did not start");
    program.BackToStart();
  }
  gaps.Report(state);
}
BENCHMARK(StartUpOnALatePrinter)->Unit(benchmark::kMillisecond)->Iterations(3);

void BidCheckPrintOnALatePrinter(benchmark::State& state) {
  ProgramOnALatePrinter program;
  program.StartUp();
  opal::ui::TFormAdjust& form = *program.forms.FormAdjust;
  form.ResetPanels(false);
  form.ShowPanel(opal::ui::PanelId::BidPrint);
  auto& print = *form.findChild<QPushButton*>(QStringLiteral("BidPrnOKBtn"));
  Gaps gaps;
  for (auto _ : state) {
    gaps.Measure([&] { print.click(); });
    form.DisableTimerTimer();
  }
  gaps.Report(state);
}
BENCHMARK(BidCheckPrintOnALatePrinter)->Unit(benchmark::kMillisecond)->Iterations(3);

void A4CheckSheetOnALatePrinter(benchmark::State& state) {
  ProgramOnALatePrinter program;
  program.StartUp();
  auto& sheet = *program.forms.FormAdjust->findChild<opal::ui::A4CheckPanel*>();
  Gaps gaps;
  for (auto _ : state) gaps.Measure([&] { sheet.A4CheckPrintOKBtnClick(); });
  gaps.Report(state);
}
BENCHMARK(A4CheckSheetOnALatePrinter)->Unit(benchmark::kMillisecond)->Iterations(3);

// The journal reads the whole EEPROM before the first write of each connection.
void SnapshotReadOnALatePrinter(benchmark::State& state) {
  ProgramOnALatePrinter program(ProgramOnALatePrinter::kJournaled);
  Gaps gaps;
  for (auto _ : state) {
    program.StartUp();
    auto& clear = *program.forms.FormAdjust->findChild<opal::ui::CounterClearPanel*>();
    gaps.Measure([&] { clear.CounterClearOKBtnClick(); });
    if (program.journal_store->Entries(std::nullopt).empty()) state.SkipWithError("no entry");
    program.BackToStart();
  }
  gaps.Report(state);
}
BENCHMARK(SnapshotReadOnALatePrinter)->Unit(benchmark::kMillisecond)->Iterations(3);

// Resident memory now, from the kernel's own accounting.
double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmRSS:")) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

// What the program holds on its heap, apart from pages the allocator keeps but nobody uses.
double HeapInUseMiB() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// The Printed pages window open through a session of Bi-D check prints: what the program holds
// must not grow with the pages it has printed.
void PrintedPagesWindowThroughManyPrints(benchmark::State& state) {
  ProgramOnALatePrinter program;
  program.link.printer.SetFaults({});
  program.StartUp();
  opal::ui::TFormPrintedPages pages(
      {.pages_folder = QString::fromStdString((program.link.dir / "printer" / "pages").string()),
       .printer_lines = {}});
  pages.StartSession();
  pages.show();
  opal::ui::TFormAdjust& form = *program.forms.FormAdjust;
  form.ResetPanels(false);
  form.ShowPanel(opal::ui::PanelId::BidPrint);
  auto& print = *form.findChild<QPushButton*>(QStringLiteral("BidPrnOKBtn"));
  int printed = 0;
  for (auto _ : state) {
    print.click();
    form.DisableTimerTimer();
    if (program.link.printer.WaitForPages() != "") state.SkipWithError("no page");
    QApplication::processEvents();
    if (++printed == 1) {
      state.counters["rss_after_1_print_mib"] = ResidentMiB();
      state.counters["heap_after_1_print_mib"] = HeapInUseMiB();
    }
    if (printed == 10) state.counters["rss_after_10_prints_mib"] = ResidentMiB();
  }
  state.counters["rss_after_last_print_mib"] = ResidentMiB();
  state.counters["heap_after_last_print_mib"] = HeapInUseMiB();
  if (pages.PagePath().isEmpty()) state.SkipWithError("the window shows no page");
}
BENCHMARK(PrintedPagesWindowThroughManyPrints)->Unit(benchmark::kMillisecond)->Iterations(60);

// The exchange's ten seconds, then the printer stays silent two seconds more while it is asked
// for its device ID again and again.
void LiquidExchangePollingOnALatePrinter(benchmark::State& state) {
  ProgramOnALatePrinter program;
  program.link.printer.SetSimulation({.exchange_silence_ms = 12'000});
  program.StartUp();
  auto& exchange = *program.forms.FormAdjust->findChild<opal::ui::LiquidExchangePanel*>();
  Gaps gaps;
  for (auto _ : state) {
    gaps.Measure([&] { exchange.ExchangeSequence1PnlClick(); });
    exchange.ClearInput();
  }
  gaps.Report(state);
}
BENCHMARK(LiquidExchangePollingOnALatePrinter)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  opal::ReturnLargeBuffersAfterUse();
  // Painting is measured, not shown: no screen is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
