#pragma once

#include <functional>
#include <string_view>

#include "link/resultcodes.h"
#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/panels/stepcompletebutton.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// A panel that serves both forms and asks before its operation runs, as the ink charge and the
// counter clear do.
class ConfirmingPanel : public OperationPanel {
  Q_OBJECT

 public:
  // A repair starts with the step undone.
  void ClearInput() override;

 protected:
  ConfirmingPanel(PanelId id, ServiceContext& context, PanelHost& host, PanelRole role);

  // Asks `question`. After "No" the `refused` warning shows and the individual form starts over on
  // its empty canvas, while a repair step stays open for another try. After "Yes" `operation`
  // runs; its success enables the step's Complete button.
  void RunConfirmed(std::string_view question, std::string_view refused,
                    const std::function<Result()>& operation);

  ServiceContext& context_;
  PanelHost& host_;
  const PanelRole role_;
  // Set up by the derived panel once its layout exists.
  StepCompleteButton complete_;
};

}  // namespace opal::ui
