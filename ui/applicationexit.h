#pragma once

#include "link/printerdriver.h"
#include "link/programexit.h"
#include "ui/dialogs.h"

namespace opal::ui {

// How the program ends on its own: the notice in an error box, the port closed, exit code 0.
class ApplicationExit final : public ProgramExit {
 public:
  explicit ApplicationExit(Dialogs& dialogs) : dialogs_(dialogs) {}
  // The port is made after the exit it reports to, so it is handed over once both exist.
  void ClosesPort(TPrinterPort& port) { port_ = &port; }
  [[noreturn]] void End(const ExitNotice& notice) override;

 private:
  Dialogs& dialogs_;
  TPrinterPort* port_ = nullptr;
};

}  // namespace opal::ui
