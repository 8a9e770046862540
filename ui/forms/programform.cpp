#include "ui/forms/programform.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <chrono>

#include "link/forceexit.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"

namespace opal::ui {
namespace {

constexpr std::chrono::milliseconds kInitializeWait{25'000};

}  // namespace

ProgramForm::ProgramForm(ServiceContext& context) : context_(context) {}

void ProgramForm::InitializePrinterOnLeaving(bool check_answer,
                                             const std::function<void(Result)>& report_failure) {
  context_.dialogs.Inform(
      tr("This program starts to initialize the printer.\nPlease wait about 30 seconds."));
  ShowHourglass();
  if (check_answer && OffTheWindow([&] { return context_.operations.AskDeviceId(); }).empty()) {
    ShowNormalCursor();
    context_.port.Close();
    ForceExit(context_.exit);
  }
  if (const Result result = OffTheWindow([&] { return context_.operations.InitializePrinter(); });
      result != PORT_OK && report_failure) {
    report_failure(result);
  }
  context_.sleeper.Sleep(kInitializeWait);
}

void ProgramForm::showEvent(QShowEvent* event) {
  // Leaving leaves the form disabled; a new start from the start-up form makes it usable.
  if (!event->spontaneous()) setEnabled(true);
  QWidget::showEvent(event);
}

void ProgramForm::closeEvent(QCloseEvent* event) {
  // The close box of a disabled (busy) form does nothing; the program itself may still close it,
  // as the data reset does while its done status keeps the form disabled.
  if (closing_ || (event->spontaneous() && !isEnabled())) {
    event->ignore();
    return;
  }
  closing_ = true;
  FormClose();
  closing_ = false;
  event->accept();
}

}  // namespace opal::ui
