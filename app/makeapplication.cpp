#include "app/makeapplication.h"

#include <QtGlobal>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace opal::app {

namespace {

const EarlyReading* early_reading = nullptr;
QtMessageHandler qt_handler = nullptr;

[[noreturn]] void EndWith(const std::string& out, const std::string& err, int status) {
  std::cout << out << std::flush;
  std::cerr << err << std::flush;
  // Nothing is built yet that wants tearing down, and Qt is amid a constructor.
  std::_Exit(status);
}

void EndInsteadOfAborting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    qt_handler(type, context, text);
    return;
  }
  if (const auto status = early_reading->parsed.exit_status) {
    EndWith(early_reading->out, early_reading->err, *status);
  }
  EndWith("", "opal-service: " + text.toStdString() + '\n', 1);
}

}  // namespace

EarlyReading ReadCommandLineEarly(int argc, char** argv) {
  std::ostringstream out;
  std::ostringstream err;
  EarlyReading early{ParseOptions(argc, argv, out, err), {}, {}};
  early.out = out.str();
  early.err = err.str();
  return early;
}

std::unique_ptr<ServiceApplication> MakeApplication(int& argc, char** argv,
                                                    const EarlyReading& early) {
  early_reading = &early;
  qt_handler = qInstallMessageHandler(EndInsteadOfAborting);
  auto application = std::make_unique<ServiceApplication>(argc, argv);
  qInstallMessageHandler(qt_handler);
  early_reading = nullptr;
  return application;
}

}  // namespace opal::app
