#include "ui/forms/printerwork.h"

#include <QCoreApplication>
#include <QLocale>

#include "link/forceexit.h"

namespace opal::ui {
namespace {

constexpr const char* kStopQuestion =
    QT_TRANSLATE_NOOP("PrinterWork",
                      "The printer is still at work. Stop at the next point where nothing is "
                      "half-done and close the program?");
// Shown through the program's end, which translates it as a core text.
constexpr const char* kStoppedText = QT_TRANSLATE_NOOP(
    "Core",
    "Stopped when the window was closed. The printer was left as its last complete step left it.");

QString Doing(PortTraffic::Doing doing) {
  switch (doing) {
    case PortTraffic::Doing::AwaitingReply:
      return QCoreApplication::translate("PrinterWork", "Waiting for the printer's reply");
    case PortTraffic::Doing::AskingWho:
      return QCoreApplication::translate("PrinterWork", "Asking the printer who it is");
    case PortTraffic::Doing::Sending:
      break;
  }
  return QCoreApplication::translate("PrinterWork", "Working with the printer");
}

}  // namespace

QString PrinterWorkLine(const PortTraffic& traffic, std::chrono::milliseconds running) {
  const QLocale locale;
  return QCoreApplication::translate("PrinterWork", "%1: %2 s, %3 bytes sent, %4 received.")
      .arg(Doing(traffic.doing), QString::number(running.count() / 1000),
           locale.toString(static_cast<qulonglong>(traffic.sent)),
           locale.toString(static_cast<qulonglong>(traffic.received)));
}

WorkWatch PrinterWorkWatch(ServiceContext& context) {
  return {
      .describe =
          [&context](std::chrono::milliseconds running) {
            return PrinterWorkLine(context.port.Traffic(), running);
          },
      .ask_stop =
          [&context] {
            return context.dialogs.Confirm(
                QCoreApplication::translate("PrinterWork", kStopQuestion));
          },
      .may_stop =
          [&context] {
            return !context.port.InSend() &&
                   (context.journal == nullptr || !context.journal->Writing());
          },
      .end =
          [&context] {
            if (context.journal != nullptr) context.journal->EndOperation();
            context.port.Close();
            context.exit.End({kApplicationTitle, kStoppedText});
          },
  };
}

}  // namespace opal::ui
