#include "cli/session.h"

#include <iostream>

#include "device/datamanu.h"
#include "link/forceexit.h"
#include "link/linuxdevices.h"
#include "link/virtualport.h"

namespace opal::cli {
namespace {

std::unique_ptr<vp::VirtualPrinter> MakePrinter(const Target& target) {
  if (!target.virtual_dir) return nullptr;
  return std::make_unique<vp::VirtualPrinter>(*target.virtual_dir, target.model);
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

Opalctl::Opalctl(const Target& target)
    : port_index(PortIndexFor(target)),
      printer(MakePrinter(target)),
      provider(printer ? std::unique_ptr<PortProvider>(
                             std::make_unique<VirtualPortProvider>(*printer, clock, sleeper))
                       : std::make_unique<LinuxPortProvider>()),
      port(*provider, clock, exit),
      command(port) {}

void Opalctl::Connect() {
  port.Open(port_index);
  if (!port.CheckDeviceId()) {
    std::string text = "Printer is error or power off status.";
    if (!port.OpenProblem().empty()) text += "\n" + port.OpenProblem();
    port.Close();
    throw ProgramEnd(text, kNoAnswer);
  }
  port.Send(kStartSequence);
}

int Failed(Result code) {
  const std::string message = ResultMessage(code);
  std::cerr << (message.empty() ? "Failed with code " + std::to_string(code) : message) << '\n';
  return kFailed;
}

}  // namespace opal::cli
