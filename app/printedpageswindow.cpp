#include "app/printedpageswindow.h"

#include <QCoreApplication>
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

}  // namespace

QStringList PrinterLines(const std::optional<BenchView>& view) {
  QStringList lines;
  if (!view) return lines;
  lines << QCoreApplication::translate("PrinterLabels", "Head label: %1")
               .arg(QString::fromStdString(view->head_label))
        << QCoreApplication::translate("PrinterLabels", "Serial label: %1")
               .arg(QString::fromStdString(view->serial_label));
  if (!view->scenario.empty()) {
    lines << QCoreApplication::translate("PrinterLabels", "Scenario: %1")
                 .arg(QString::fromStdString(view->scenario));
  }
  return lines;
}

std::unique_ptr<ui::TFormPrintedPages> MakePrintedPagesWindow(const std::optional<BenchView>& view,
                                                              ui::TFormBoot& boot) {
  if (!view) return nullptr;
  ui::PrintedPagesSource source{.pages_folder = QString::fromStdString(view->pages_folder.string()),
                                .printer_lines = PrinterLines(view)};
  auto window = std::make_unique<ui::TFormPrintedPages>(std::move(source));
  boot.AddMenuItem(window->ShowAction());
  boot.installEventFilter(new SessionStart(*window));
  return window;
}

}  // namespace opal::app
