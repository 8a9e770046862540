#include "virtualport/printerports.h"

#include <stdlib.h>

#include <cerrno>
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

}  // namespace

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
