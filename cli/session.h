#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "link/factory.h"
#include "link/printerdriver.h"
#include "link/timing.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::cli {

enum ExitStatus : int { kDone = 0, kFailed = 1, kUsage = 2, kNoAnswer = 3 };

// Thrown where the program would end on its own; main turns it into the exit status.
struct ProgramEnd : std::runtime_error {
  ProgramEnd(const std::string& text, int status) : std::runtime_error(text), status(status) {}
  int status;
};

class TerminalExit final : public ProgramExit {
 public:
  [[noreturn]] void End(const ExitNotice& notice) override;
};

struct Target {
  std::optional<std::string> port;
  std::optional<std::filesystem::path> virtual_dir;
  std::string model = "320";
};

// Port index of a port name as a technician types it: "LPT1", "vlusb1" or "VLUSB1:".
std::optional<int> PortIndexOf(std::string name);

// The module objects of one opalctl run, created once and handed on by reference.
struct Opalctl {
  explicit Opalctl(const Target& target);

  // Opens the port, checks that the printer answers and switches it into its service protocol.
  void Connect();

  SystemClock clock;
  ThreadSleeper sleeper;
  TerminalExit exit;
  int port_index;
  std::unique_ptr<vp::VirtualPrinter> printer;
  std::unique_ptr<PortProvider> provider;
  TPrinterPort port;
  TFactoryCommand command;
};

using Action = std::function<int(Opalctl&)>;

// Prints the code's message on standard error and gives the failure status.
int Failed(Result code);

}  // namespace opal::cli
