#include "ui/panels/bidpanels.h"

#include "ui/panels/bidinputpanel.h"
#include "ui/panels/biditemspanel.h"
#include "ui/panels/bidprintpanel.h"

namespace opal::ui {

std::vector<OperationPanel*> MakeBidPanels(ServiceContext& context, PanelHost& host,
                                           PanelRole role) {
  auto* input = new BidInputPanel(context, host, role);
  auto* print = new BidPrintPanel(context, host, role, *input);
  if (role == PanelRole::Adjustment)
    return {new BidItemsPanel(context, host, *input), print, input};
  QObject::connect(print, &BidStepPanel::CompleteChanged, input, &BidStepPanel::FollowComplete);
  QObject::connect(input, &BidStepPanel::CompleteChanged, print, &BidStepPanel::FollowComplete);
  return {print, input};
}

}  // namespace opal::ui
