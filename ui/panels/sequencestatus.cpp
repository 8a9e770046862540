#include "ui/panels/sequencestatus.h"

namespace opal::ui {

Result RunSequenceWithStatus(ServiceContext& context, PanelHost& host,
                             const TimedSequence& sequence,
                             const std::function<void()>& after_wait) {
  host.ShowStatus(StatusMode::Busy, QString::fromUtf8(sequence.busy_text));
  const Result result = context.operations.RunSequence(sequence, context.sleeper);
  if (result == PORT_OK && after_wait) after_wait();
  host.ShowOutcome(result, sequence.done_text);
  return result;
}

}  // namespace opal::ui
