#include "virtualport/trainingbench.h"

#include <stdexcept>

#include "virtualprinter/grading.h"
#include "virtualprinter/scenario.h"
#include "virtualprinter/streamrender.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {

std::vector<std::string> TrainingScenarios() {
  return vp::ScenarioNameList();
}

std::optional<BenchView> BenchViewOf(PrinterPorts& ports) {
  const vp::VirtualPrinter* printer = ports.Virtual();
  if (printer == nullptr) return std::nullopt;
  const vp::Simulation simulation = printer->GetSimulation();
  return BenchView{.pages_folder = printer->Directory() / "pages",
                   .head_label = simulation.head_label,
                   .serial_label = simulation.serial_label,
                   .scenario = simulation.scenario};
}

BenchGrade GradeVirtualPrinter(const PrinterPlace& place) {
  if (!place.virtual_dir) throw std::invalid_argument("only a virtual printer can be graded");
  if (!place.virtual_scenario.empty()) {
    vp::VirtualPrinter(*place.virtual_dir, place.virtual_model, place.virtual_scenario);
  }
  vp::PrinterGrade grade = vp::GradePrinter(*place.virtual_dir);
  return {std::move(grade.lines), grade.repaired};
}

int RenderCapture(std::span<const uint8_t> bytes, const std::filesystem::path& dir) {
  return vp::RenderStream(bytes, dir);
}

}  // namespace opal
