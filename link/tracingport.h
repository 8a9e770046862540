#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/portdevice.h"
#include "link/timing.h"
#include "link/tracefile.h"
#include "link/tracemask.h"

namespace opal {

// Stamps, masks and writes the events of one trace; shared by the ports it records.
class TraceRecorder {
 public:
  TraceRecorder(std::unique_ptr<TraceWriter> writer, const Clock& clock, bool keep_ids);
  // May be called from any thread.
  void Record(TraceEvent event);
  std::string Problem() const { return writer_->Problem(); }

 private:
  std::unique_ptr<TraceWriter> writer_;
  const Clock& clock_;
  const Clock::TimePoint start_;
  bool keep_ids_;
  std::mutex mutex_;
  TraceMasker masker_;
};

// Records every byte to and from the printers of `inner`, the device-ID answers, the opens,
// closes and broken links, so the operations need not know a trace is kept.
class TracingPortProvider final : public PortProvider {
 public:
  TracingPortProvider(PortProvider& inner, std::shared_ptr<TraceRecorder> recorder);
  OpenOutcome Open(PortId port) override;
  std::optional<std::vector<std::string>> PrintersPresent() override;

 private:
  PortProvider& inner_;
  std::shared_ptr<TraceRecorder> recorder_;
};

}  // namespace opal
