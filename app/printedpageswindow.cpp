#include "app/printedpageswindow.h"

#include <QEvent>

namespace opal::app {
namespace {

class SessionStart final : public QObject {
 public:
  explicit SessionStart(ui::TFormPrintedPages& window) : QObject(&window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) window_.StartSession();
    return QObject::eventFilter(watched, event);
  }

 private:
  ui::TFormPrintedPages& window_;
};

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

std::unique_ptr<ui::TFormPrintedPages> MakePrintedPagesWindow(const vp::VirtualPrinter& printer,
                                                              ui::TFormBoot& boot) {
  const vp::Simulation simulation = printer.GetSimulation();
  ui::PrintedPagesSource source{
      .pages_folder = QString::fromStdString((printer.Directory() / "pages").string()),
      .printer_lines = {QStringLiteral("Head label: ") + Text(simulation.head_label),
                        QStringLiteral("Serial label: ") + Text(simulation.serial_label)}};
  if (!simulation.scenario.empty()) {
    source.printer_lines.append(QStringLiteral("Scenario: ") + Text(simulation.scenario));
  }
  auto window = std::make_unique<ui::TFormPrintedPages>(std::move(source));
  boot.AddMenuItem(window->ShowAction());
  boot.installEventFilter(new SessionStart(*window));
  return window;
}

}  // namespace opal::app
