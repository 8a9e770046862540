#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/portdevice.h"
#include "link/timing.h"
#include "link/tracefile.h"

namespace opal {

struct ReplayScript;

// Makes every port a device that answers from a trace: the program's bytes must be the recorded
// ones, and replies come as they came, as long after the program's last step as they did. A masked
// byte the program sends may be anything. The first difference stops the run: from then on every
// port reports a broken link, and Difference() says where it was.
class ReplayPortProvider final : public PortProvider {
 public:
  // Throws std::runtime_error for a trace that lost its beginning to the size limit.
  ReplayPortProvider(TraceRead trace, const Clock& clock, Sleeper& sleeper);
  ~ReplayPortProvider() override;
  ReplayPortProvider(const ReplayPortProvider&) = delete;
  ReplayPortProvider& operator=(const ReplayPortProvider&) = delete;

  OpenOutcome Open(PortId port) override;
  // Told the difference once, when it is found, on the thread that found it.
  void SetDifferenceHook(std::function<void(const std::string&)> hook);
  // At the program's end: what of the trace the program did not do, and an exit status other
  // than the recorded one, count as differences too.
  void Finish(int status);
  std::optional<std::string> Difference() const;

 private:
  std::shared_ptr<ReplayScript> script_;
};

// The port the trace opens first; none when it opens none.
std::optional<PortId> FirstOpenedPort(const TraceRead& trace);

}  // namespace opal
