#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "link/factory.h"
#include "link/printerdriver.h"
#include "link/timing.h"
#include "virtualprinter/virtualprinter.h"

namespace CLI {
class App;
}

namespace opal::cli {

enum ExitStatus : int { kDone = 0, kFailed = 1, kUsage = 2, kNoAnswer = 3 };

// Thrown where the program would end on its own; the run turns it into the exit status.
struct ProgramEnd : std::runtime_error {
  ProgramEnd(const std::string& text, int status) : std::runtime_error(text), status(status) {}
  int status;
};

class TerminalExit final : public ProgramExit {
 public:
  [[noreturn]] void End(const ExitNotice& notice) override;
};

// Where a run reads answers and writes its lines. Questions are asked and waits counted down only
// where a person is there to see them.
struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool in_is_terminal = false;
  bool out_is_terminal = false;
};

struct Target {
  std::optional<std::string> port;
  std::optional<std::filesystem::path> virtual_dir;
  std::string model = "320";
  std::string scenario;  // of a fresh virtual printer; empty for none
};

// Port index of a port name as a technician types it: "LPT1", "vlusb1" or "VLUSB1:".
std::optional<int> PortIndexOf(std::string name);

// The module objects of one opalctl run, created once and handed on by reference. Time comes
// from the caller, so a run on a virtual printer can be driven by a clock that only moves when
// told.
struct Opalctl {
  Opalctl(const Target& target, Clock& clock, Sleeper& sleeper, Console& console);

  // Opens the port, checks that the printer answers and switches it into its service protocol;
  // throws ProgramEnd when any of it fails. Returns the device-ID text the printer answered with.
  std::string Connect();
  // The printer's device-ID text; throws ProgramEnd with the status for a printer that does not
  // answer.
  std::string DeviceIdAnswer();
  // Prints what the technician reads for the code on standard error; gives the failure status.
  int Failed(Result code);

  Clock& clock;
  Sleeper& sleeper;
  Console& console;
  TerminalExit exit;
  int port_index;
  std::unique_ptr<vp::VirtualPrinter> printer;
  std::unique_ptr<PortProvider> provider;
  TPrinterPort port;
  TFactoryCommand command;
};

using Action = std::function<int(Opalctl&)>;

// Lets a command line choice run `action` once the whole line has been parsed.
void Runs(CLI::App* command, Action& chosen, Action action);

}  // namespace opal::cli
