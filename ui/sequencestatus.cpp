#include "ui/sequencestatus.h"

#include "device/statusreport.h"

namespace opal::ui {

Result RunSequenceWithStatus(ServiceContext& context, PanelHost& host,
                             const TimedSequence& sequence,
                             const std::function<void()>& after_wait) {
  const StatusReport report = host.Report();
  report(StatusMode::Busy, sequence.busy_text);
  const Result result = RunTimedSequence(context.command, context.sleeper, sequence);
  if (result == PORT_OK && after_wait) after_wait();
  ReportOutcome(report, result, sequence.done_text);
  return result;
}

}  // namespace opal::ui
