#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/portdevice.h"
#include "link/replayport.h"
#include "link/timing.h"
#include "link/tracingport.h"
#include "virtualprinter/virtualprinter.h"

namespace opal {

// Where a program finds its printer: the ports of this machine, the virtual printer kept in a
// folder (made new as the given model when the folder holds none), or a trace that answers as the
// printer did (`replay`). A conversation may be recorded into a trace on the way.
struct PrinterPlace {
  std::optional<std::filesystem::path> virtual_dir;
  std::string virtual_model = "320";
  std::string virtual_scenario;  // training scenario of a fresh virtual printer; empty for none
  std::optional<std::filesystem::path> replay;
  std::optional<std::filesystem::path> trace;
  bool trace_keep_ids = false;
  // The command line a trace names, without how the program chose its printer.
  std::string trace_command;
  // Where the last traces written are listed, for a support bundle; empty for nowhere.
  std::filesystem::path recent_traces;
};

// The list of the last traces the programs wrote, kept beside the service journal.
std::filesystem::path RecentTracesList(const std::filesystem::path& journal_file);
// The traces of that list that are still there, the newest last.
std::vector<std::filesystem::path> RecentTraces(const std::filesystem::path& list);

// The port provider a program opens its ports through, chosen here and nowhere else. Throws
// std::runtime_error when the trace to replay cannot be read or the one to record cannot be
// written.
class PrinterPorts {
 public:
  PrinterPorts(const PrinterPlace& place, const Clock& clock, Sleeper& sleeper);
  ~PrinterPorts();
  PrinterPorts(const PrinterPorts&) = delete;
  PrinterPorts& operator=(const PrinterPorts&) = delete;

  PortProvider& Provider();
  // The printer behind the ports when it is the virtual one, else null.
  vp::VirtualPrinter* Virtual() { return printer_.get(); }
  // The trace answering, else null.
  ReplayPortProvider* Replay() { return replay_; }
  // The service journal of a run: `usual`, but an empty one of its own for a replay, which
  // starts as the recorded run did and changes no printer the journal should remember.
  std::filesystem::path JournalFile(const std::filesystem::path& usual) const;
  // At the program's end: its status goes into the trace, and a replay checks it against the
  // recorded one. Returns what the technician must be told: the replay's difference, or why the
  // trace stopped early; empty when there is nothing.
  std::string End(int status);

 private:
  std::unique_ptr<vp::VirtualPrinter> printer_;
  std::unique_ptr<PortProvider> inner_;
  ReplayPortProvider* replay_ = nullptr;
  std::shared_ptr<TraceRecorder> recorder_;
  std::unique_ptr<PortProvider> provider_;
  std::filesystem::path scratch_;
};

}  // namespace opal
