#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "virtualport/printerports.h"

namespace opal {

// The names `--scenario` takes.
std::vector<std::string> TrainingScenarios();

// What the programs show of a virtual printer beside its pages: where they land, and what a
// technician would read off the hardware (the head and serial labels, the scenario).
struct BenchView {
  std::filesystem::path pages_folder;
  // What the labels on the printer say; no scenario is an empty one.
  std::string head_label;
  std::string serial_label;
  std::string scenario;
};
// The view of the printer behind the ports; none on the machine's own ports.
std::optional<BenchView> BenchViewOf(PrinterPorts& ports);

// How far the virtual printer of `place` is repaired, one line each; read from its folder
// without taking the printer, so a program may hold it meanwhile. A printer asked for with a
// scenario is made first, as any other command would make it. Throws std::invalid_argument for
// a place that names no virtual printer.
struct BenchGrade {
  std::vector<std::string> lines;
  bool repaired = false;
};
BenchGrade GradeVirtualPrinter(const PrinterPlace& place);

// A captured stream of printer bytes printed as pages into `dir`, without a printer session.
// Returns the number of pages.
int RenderCapture(std::span<const uint8_t> bytes, const std::filesystem::path& dir);

}  // namespace opal
