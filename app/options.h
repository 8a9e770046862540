#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace opal::app {

// Which printer the program talks to. Without a virtual printer it uses the machine's ports.
struct Options {
  std::optional<std::filesystem::path> virtual_printer;
  std::string virtual_model = "320";
  std::string virtual_scenario;  // training scenario of a fresh virtual printer; empty for none
};

// The command line's options, or the exit status when the program should end at once (--help
// gives 0, a usage error 2, both after their message).
struct ParsedOptions {
  Options options;
  std::optional<int> exit_status;
};

ParsedOptions ParseOptions(int argc, char** argv);

// $XDG_DATA_HOME/opal-service/virtual-printer, or the same under ~/.local/share.
std::filesystem::path DefaultVirtualPrinter();

}  // namespace opal::app
