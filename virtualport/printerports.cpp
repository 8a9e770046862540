#include "virtualport/printerports.h"

#include <stdlib.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "link/linuxdevices.h"
#include "virtualport/virtualport.h"

namespace opal {
namespace {

std::unique_ptr<vp::VirtualPrinter> MakePrinter(const PrinterPlace& place) {
  if (!place.virtual_dir || place.replay) return nullptr;
  return std::make_unique<vp::VirtualPrinter>(*place.virtual_dir, place.virtual_model,
                                              place.virtual_scenario, /*own_serial_if_new=*/true);
}

std::filesystem::path ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "opal-replay-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("Cannot make a folder for the replay's journal: " +
                             std::generic_category().message(errno) + ".");
  }
  return pattern;
}

constexpr std::size_t kRecentTraces = 5;

std::vector<std::string> ListedTraces(const std::filesystem::path& list) {
  std::ifstream in(list);
  std::vector<std::string> listed;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) listed.push_back(line);
  }
  return listed;
}

// A list that cannot be kept costs only the bundle its traces: the trace itself is written.
void Remember(const std::filesystem::path& list, const std::filesystem::path& trace) {
  std::error_code error;
  const std::string path = std::filesystem::absolute(trace, error).string();
  std::vector<std::string> listed = ListedTraces(list);
  std::erase(listed, path);
  listed.push_back(path);
  if (listed.size() > kRecentTraces) listed.erase(listed.begin(), listed.end() - kRecentTraces);
  std::filesystem::create_directories(list.parent_path(), error);
  // Written only as a plain file of its own, never through a link someone put in its place.
  if (std::filesystem::is_symlink(list, error) ||
      (std::filesystem::exists(list, error) && !std::filesystem::is_regular_file(list, error))) {
    return;
  }
  std::ofstream out(list, std::ios::trunc);
  for (const std::string& line : listed) out << line << '\n';
}

}  // namespace

std::filesystem::path RecentTracesList(const std::filesystem::path& journal_file) {
  return journal_file.parent_path() / "recent-traces";
}

std::vector<std::filesystem::path> RecentTraces(const std::filesystem::path& list) {
  std::vector<std::filesystem::path> traces;
  for (const std::string& line : ListedTraces(list)) {
    std::error_code error;
    if (std::filesystem::is_regular_file(line, error)) traces.emplace_back(line);
  }
  return traces;
}

PrinterPorts::PrinterPorts(const PrinterPlace& place, const Clock& clock, Sleeper& sleeper)
    : printer_(MakePrinter(place)) {
  if (place.replay) {
    auto replay = std::make_unique<ReplayPortProvider>(LoadTrace(*place.replay), clock, sleeper);
    replay_ = replay.get();
    inner_ = std::move(replay);
    scratch_ = ScratchFolder();
  } else if (printer_) {
    inner_ = std::make_unique<VirtualPortProvider>(*printer_, clock, sleeper);
  } else {
    inner_ = std::make_unique<LinuxPortProvider>();
  }
  if (!place.trace) return;
  auto writer = std::make_unique<TraceWriter>(
      *place.trace, TraceHeader{1, place.trace_keep_ids, place.trace_command});
  recorder_ = std::make_shared<TraceRecorder>(std::move(writer), clock, place.trace_keep_ids);
  if (!place.recent_traces.empty()) Remember(place.recent_traces, *place.trace);
  provider_ = std::make_unique<TracingPortProvider>(*inner_, recorder_);
}

PrinterPorts::~PrinterPorts() {
  std::error_code ignored;
  if (!scratch_.empty()) std::filesystem::remove_all(scratch_, ignored);
}

PortProvider& PrinterPorts::Provider() {
  return provider_ ? *provider_ : *inner_;
}

std::filesystem::path PrinterPorts::JournalFile(const std::filesystem::path& usual) const {
  return scratch_.empty() ? usual : scratch_ / "journal.sqlite";
}

std::string PrinterPorts::End(int status) {
  std::string told;
  if (recorder_) {
    TraceEvent end;
    end.kind = TraceKind::End;
    end.text = std::to_string(status);
    recorder_->Record(std::move(end));
    told = recorder_->Problem();
  }
  if (replay_) {
    replay_->Finish(status);
    if (const auto difference = replay_->Difference()) return *difference;
  }
  return told;
}

}  // namespace opal
