#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

#include "virtualport/printerports.h"

namespace opal::app {

struct Options {
  PrinterPlace printer;
};

// The command line's options, or the exit status when the program should end at once (--help
// and --version give 0, a usage error 2, both after their message to `out` or `err`).
struct ParsedOptions {
  Options options;
  std::optional<int> exit_status;
};

ParsedOptions ParseOptions(int argc, char** argv, std::ostream& out, std::ostream& err);

// $XDG_DATA_HOME/opal-service/virtual-printer, or the same under ~/.local/share.
std::filesystem::path DefaultVirtualPrinter();

}  // namespace opal::app
