#include "ui/sequencestatus.h"

#include "device/statusreport.h"

namespace opal::ui {

Result RunSequenceWithStatus(ServiceContext& context, PanelHost& host,
                             const TimedSequence& sequence) {
  const StatusReport report = host.Report();
  report(StatusMode::Busy, sequence.busy_text);
  const Result result = RunTimedSequence(context.command, context.sleeper, sequence);
  ReportOutcome(report, result, sequence.done_text);
  return result;
}

}  // namespace opal::ui
