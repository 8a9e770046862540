#include "cli/session.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "device/datamanu.h"
#include "link/linuxdevices.h"
#include "link/virtualport.h"

namespace opal::cli {
namespace {

std::unique_ptr<vp::VirtualPrinter> MakePrinter(const Target& target) {
  if (!target.virtual_dir) return nullptr;
  return std::make_unique<vp::VirtualPrinter>(*target.virtual_dir, target.model, target.scenario);
}

int PortIndexFor(const Target& target) {
  if (target.virtual_dir) return 3;
  const auto index = PortIndexOf(target.port.value_or(""));
  if (!index) throw ProgramEnd("Unknown port \"" + *target.port + "\".", kUsage);
  return *index;
}

}  // namespace

void TerminalExit::End(const ExitNotice& notice) {
  throw ProgramEnd(notice.text, kNoAnswer);
}

std::optional<int> PortIndexOf(std::string name) {
  name = ToUpperAscii(name);
  for (std::size_t i = 0; i < kPortNames.size(); ++i) {
    const std::string_view known = kPortNames[i];
    if (name == known || (known.ends_with(':') && name + ":" == known)) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

Opalctl::Opalctl(const Target& target, Clock& clock, Sleeper& sleeper, Console& console)
    : clock(clock),
      sleeper(sleeper),
      console(console),
      port_index(PortIndexFor(target)),
      printer(MakePrinter(target)),
      provider(printer ? std::unique_ptr<PortProvider>(
                             std::make_unique<VirtualPortProvider>(*printer, clock, sleeper))
                       : std::make_unique<LinuxPortProvider>()),
      port(*provider, clock, exit),
      command(port) {}

std::string Opalctl::Connect() {
  // Another program's writes would interleave with ours: nothing is sent until we hold it.
  if (port.Open(port_index) == ERR_PORT_BUSY) {
    throw ProgramEnd(ResultMessage(ERR_PORT_BUSY), kFailed);
  }
  std::string answer = DeviceIdAnswer();
  // The printer answered, so a start sequence it does not take is a failed transfer like any
  // other, not a printer that is off.
  if (const Result sent = port.Send(kStartSequence); sent != PORT_OK) {
    port.Close();
    throw ProgramEnd(command.Message(sent), kFailed);
  }
  return answer;
}

std::string Opalctl::DeviceIdAnswer() {
  std::string answer = port.DeviceIdText();
  if (!answer.empty()) return answer;
  std::string text = "Printer is error or power off status.";
  if (!port.OpenProblem().empty()) text += "\n" + port.OpenProblem();
  port.Close();
  throw ProgramEnd(text, kNoAnswer);
}

int Opalctl::Failed(Result code) {
  const std::string message = command.Message(code);
  console.err << (message.empty() ? "Failed with code " + std::to_string(code) : message) << '\n';
  return kFailed;
}

void Runs(CLI::App* command, Action& chosen, Action action) {
  command->callback([&chosen, action = std::move(action)] { chosen = action; });
}

}  // namespace opal::cli
