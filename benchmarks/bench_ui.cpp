#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "benchmarks/benchsupport.h"
#include "ui/dialogs.h"
#include "ui/eeprompanels.h"
#include "ui/jpegpicture.h"
#include "ui/panelhost.h"
#include "ui/servicecontext.h"
#include "ui/servicemodules.h"

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
  void ShowPanel(const QString& name) override {
    if (auto* panel = area_.findChild<QWidget*>(name)) panel->show();
  }
  void SetStatusMemoVisible(bool) override {}
  void SetAdjustedItem(opal::ui::AdjustedItem, const QString&) override {}
  void CloseWithoutInitialisation() override {}
  int16_t SelectedModelCode() const override { return opal::MODEL_OPAL_320; }

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
  opal::ui::ServiceModules modules(link.port, link.command, link.clock, link.exit);
  opal::ui::MessageBoxDialogs dialogs;
  opal::ui::ServiceContext context{.port = link.port,
                                   .command = link.command,
                                   .clock = link.clock,
                                   .sleeper = link.sleeper,
                                   .dialogs = dialogs,
                                   .exit = link.exit,
                                   .modules = modules};
  QWidget area;
  auto* layout = new QVBoxLayout(&area);
  PanelStack host(area, link.command);
  for (opal::ui::OperationPanel* panel : opal::ui::MakeEepromPanels(context, host)) {
    layout->addWidget(panel);
    panel->hide();
  }
  area.show();
  host.ShowPanel(QStringLiteral("EepromReadPnl"));
  auto& grid = *area.findChild<QTableWidget*>(QStringLiteral("EepromStrGrid"));
  for (auto _ : state) {
    area.findChild<QLineEdit*>(QStringLiteral("EepReadBegEdit"))->setText(QStringLiteral("00"));
    area.findChild<QLineEdit*>(QStringLiteral("EepReadEndEdit"))->setText(QStringLiteral("FF"));
    area.findChild<QPushButton*>(QStringLiteral("EepromReadOkBtn"))->click();
    if (grid.item(16, 16)->text().isEmpty()) state.SkipWithError("the grid was not filled");
    host.ResetPanels(false);
    host.ShowPanel(QStringLiteral("EepromReadPnl"));
  }
}
BENCHMARK(EepromGridFilledThroughTheVirtualPrinter)->Unit(benchmark::kMillisecond);

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
