#pragma once

#include <filesystem>
#include <optional>

#include "virtualport/printerports.h"

namespace opal::app {

struct Options {
  PrinterPlace printer;
};

// The command line's options, or the exit status when the program should end at once (--help
// gives 0, a usage error 2, both after their message).
struct ParsedOptions {
  Options options;
  std::optional<int> exit_status;
};

ParsedOptions ParseOptions(int argc, char** argv);

// True when the command line asks for --help or --version, which need no display.
bool AsksForTextOnly(int argc, char** argv);

// $XDG_DATA_HOME/opal-service/virtual-printer, or the same under ~/.local/share.
std::filesystem::path DefaultVirtualPrinter();

}  // namespace opal::app
