#include "cli/portscommand.h"

#include <ostream>
#include <vector>

#include "cli/terminal.h"
#include "link/linuxdevices.h"
#include "link/printerdriver.h"

namespace opal::cli {
namespace {

int ListPorts(const Target& /*unused*/, Console& console) {
  LinuxPortProvider provider;
  const std::vector<PortReport> reports =
      SurveyPorts(provider, provider.UsbPrinters(), PortLimits{}.device_id);
  for (const PortReport& report : reports) console.out << PortLine(report) << '\n';
  return kDone;
}

std::string Printer(const std::string& device_id) {
  const PrinterModel model = ModelNamedIn(device_id);
  std::string text = model == PrinterModel::None ? "a printer of another model" : ModelName(model);
  const std::string maker = DeviceIdValue(device_id, {"MFG", "MANUFACTURER"});
  const std::string name = DeviceIdValue(device_id, {"MDL", "MODEL"});
  return text + " (MFG " + Printable(maker) + ", MDL " + Printable(name) + ")";
}

}  // namespace

void AddPortsCommand(CLI::App& app, SessionlessAction& chosen) {
  auto* command =
      app.add_subcommand("ports", "List LPT1..LPT3 and VLUSB1:..VLUSB3: with what answers on each");
  command->callback([&chosen] { chosen = ListPorts; });
}

std::string PortLine(const PortReport& report) {
  std::string line = report.port;
  line.resize(9, ' ');
  std::vector<std::string> parts;
  if (!report.device_id.empty()) parts.push_back(Printer(report.device_id));
  if (report.usb) parts.push_back(Printable(DescribeUsbPrinter(*report.usb)));
  if (!report.problem.empty()) parts.push_back(report.problem);
  for (std::size_t i = 0; i < parts.size(); ++i) line += (i == 0 ? "" : "; ") + parts[i];
  return line;
}

}  // namespace opal::cli
