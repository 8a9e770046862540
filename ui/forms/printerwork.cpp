#include "ui/forms/printerwork.h"

#include <QLocale>

#include "link/forceexit.h"

namespace opal::ui {
namespace {

constexpr const char* kStopQuestion =
    "The printer is still at work. Stop at the next point where nothing is half-done and close "
    "the program?";
constexpr const char* kStoppedText =
    "Stopped when the window was closed. The printer was left as its last complete step left it.";

QString Doing(PortTraffic::Doing doing) {
  switch (doing) {
    case PortTraffic::Doing::AwaitingReply:
      return QStringLiteral("Waiting for the printer's reply");
    case PortTraffic::Doing::AskingWho:
      return QStringLiteral("Asking the printer who it is");
    case PortTraffic::Doing::Sending:
      break;
  }
  return QStringLiteral("Working with the printer");
}

}  // namespace

QString PrinterWorkLine(const PortTraffic& traffic, std::chrono::milliseconds running) {
  const QLocale locale;
  return QStringLiteral("%1: %2 s, %3 bytes sent, %4 received.")
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
      .ask_stop = [&context] { return context.dialogs.Confirm(QString::fromUtf8(kStopQuestion)); },
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
