#pragma once

#include <vector>

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// The Bi-D panels of a form: on the individual form `BidPnl`, `BidPrintPnl` and `BidInputPnl`;
// on the repair form the step's `BidPrnPnl` and `BidWrtPnl`, whose two Complete buttons are one:
// "Input" enables both, and pressing either disables both and emits StepCompleted from the panel
// pressed. The form takes ownership of the panels.
std::vector<OperationPanel*> MakeBidPanels(ServiceContext& context, PanelHost& host,
                                           PanelRole role);

}  // namespace opal::ui
