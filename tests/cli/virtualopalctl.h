#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/runprogram.h"
#include "tests/support/tempdir.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::testing {

// opalctl run against a virtual printer kept in a fresh directory.
class VirtualOpalctlTest : public ::testing::Test {
 protected:
  std::vector<std::string> WithPrinter(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--virtual", printer_dir.string()});
    return args;
  }
  ProgramRun Run(const std::vector<std::string>& args, const std::string& input = {}) const {
    return RunProgram(OPALCTL_PATH, WithPrinter(args), input);
  }
  std::vector<uint8_t> Capture() const {
    std::ifstream in(printer_dir / "capture.prn", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The printer as opalctl left it; opened afresh so it sees every change on disk.
  std::array<uint8_t, vp::VirtualPrinter::kEepromSize> Eeprom() const {
    return vp::VirtualPrinter(printer_dir).Eeprom();
  }
  void SetEepromByte(uint8_t address, uint8_t value) const {
    vp::VirtualPrinter(printer_dir).SetEepromByte(address, value);
  }

  TempDir temp;
  std::filesystem::path printer_dir = temp.path() / "printer";
};

}  // namespace opal::testing
