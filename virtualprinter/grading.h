#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vp {

// The printer's own view of whether it is repaired, one line each: the labels against what is
// stored, what is left of each Bi-D row's misalignment, nozzles that do not fire, the ink charge,
// the protection counter and the cartridges' ink.
struct PrinterGrade {
  std::vector<std::string> lines;
  bool repaired = false;
};

// Reads the printer kept in `dir` as it is on disk, without taking it, so a program may hold it
// meanwhile. Throws std::runtime_error when `dir` holds no printer or one that cannot be read.
PrinterGrade GradePrinter(const std::filesystem::path& dir);

}  // namespace vp
