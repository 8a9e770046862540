#include "ui/panels/sequencestatus.h"
#include "ui/seams/printerworker.h"

namespace opal::ui {

Result RunSequenceWithStatus(ServiceContext& context, PanelHost& host,
                             const TimedSequence& sequence,
                             const std::function<void()>& after_wait) {
  host.ShowStatus(StatusMode::Busy, QString::fromUtf8(sequence.busy_text));
  const Result result = OffTheWindow([&] {
    const Result ran = context.operations.RunSequence(sequence, context.sleeper);
    if (ran == PORT_OK && after_wait) after_wait();
    return ran;
  });
  host.ShowOutcome(result, sequence.done_text);
  return result;
}

}  // namespace opal::ui
