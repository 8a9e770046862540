#include "cli/traceoptions.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "link/replayport.h"

namespace opal::cli {
namespace {

// Options that choose the printer or the trace, each with the value it takes.
constexpr std::array<std::string_view, 6> kPlaceOptions{"--port",     "--virtual", "--model",
                                                        "--scenario", "--trace",   "--replay"};
constexpr std::string_view kKeepIds = "--trace-keep-ids";
constexpr std::string_view kMaskedId = "0000000000";

}  // namespace

void AddTraceOptions(CLI::App& app, CLI::Option* virtual_option, Target& target) {
  app.add_option("--trace", target.printer.trace,
                 "Record every byte to and from the printer in FILE (serials masked)")
      ->type_name("FILE");
  app.add_flag("--trace-keep-ids", target.printer.trace_keep_ids,
               "Leave serial numbers and USB IDs in the trace");
  app.add_option("--replay", target.printer.replay,
                 "Answer from the trace in FILE instead of a printer; stop at the first byte "
                 "the program sends otherwise")
      ->type_name("FILE")
      ->excludes(virtual_option);
}

void CompleteTraceOptions(const std::vector<std::string>& args, Target& target) {
  target.printer.trace_command = TracedCommand(args, target.printer.trace_keep_ids);
  target.printer.recent_traces = RecentTracesList(target.journal_file);
  if (!target.printer.replay || target.port) return;
  try {
    if (const auto port = FirstOpenedPort(LoadTrace(*target.printer.replay))) {
      target.port = std::string(PortEntryOf(*port).name);
    } else {
      target.port = std::string(PortEntryOf(PortId::Vlusb1).name);
    }
  } catch (const std::runtime_error& error) {
    throw ProgramEnd(error.what(), kFailed);
  }
}

std::string TracedCommand(const std::vector<std::string>& args, bool keep_ids) {
  std::vector<std::string> kept;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string_view arg = args[k];
    if (arg == kKeepIds) continue;
    const auto takes = [&](std::string_view option) {
      return arg == option || arg.starts_with(std::string(option) + "=");
    };
    const auto option = std::find_if(kPlaceOptions.begin(), kPlaceOptions.end(), takes);
    if (option != kPlaceOptions.end()) {
      if (arg == *option) ++k;
      continue;
    }
    const bool id = !keep_ids && kept.size() >= 2 && kept[kept.size() - 2] == "usb-id" &&
                    kept.back() == "write";
    kept.push_back(id ? std::string(kMaskedId) : std::string(arg));
  }
  std::string line = "opalctl";
  for (const std::string& arg : kept) line += " " + arg;
  return line;
}

}  // namespace opal::cli
