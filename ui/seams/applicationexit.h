#pragma once

#include <functional>

#include "link/printerdriver.h"
#include "link/programexit.h"
#include "ui/seams/dialogs.h"

namespace opal::ui {

// Thrown by ApplicationExit::End to leave the handler that ended the program; the application's
// notify catches it where the event was delivered, so it never reaches Qt's caller of notify.
struct ApplicationEnding {};

// How the program ends on its own: the notice in an error box, the port closed, and the
// application told to quit with exit code 0. Every running event loop leaves and a later one
// returns at once, so the code after a wait runs to its end against a closed port instead of
// talking to the printer; main returns and everything is destroyed in order.
class ApplicationExit final : public ProgramExit {
 public:
  explicit ApplicationExit(Dialogs& dialogs) : dialogs_(dialogs) {}
  // The port is made after the exit it reports to, so it is handed over once both exist.
  void ClosesPort(TPrinterPort& port) { port_ = &port; }
  // Offers "Diagnose..." beside the notice; `diagnose` shows why no printer was found.
  void OffersDiagnosis(std::function<void()> diagnose) { diagnose_ = std::move(diagnose); }
  [[noreturn]] void End(const ExitNotice& notice) override;

 private:
  Dialogs& dialogs_;
  TPrinterPort* port_ = nullptr;
  std::function<void()> diagnose_;
};

}  // namespace opal::ui
