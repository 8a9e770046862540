#pragma once

#include <functional>

#include "link/resultcodes.h"
#include "service/operations.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// A sequence the printer runs on its own, as a panel runs it: the busy line, the command and the
// wait the technician sees counting down, then the done line or the failure's message.
// `after_wait` runs between a successful wait and the done line.
Result RunSequenceWithStatus(ServiceContext& context, PanelHost& host,
                             const TimedSequence& sequence,
                             const std::function<void()>& after_wait = {});

}  // namespace opal::ui
