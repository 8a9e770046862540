#pragma once

#include "ui/panels/operationpanel.h"
#include "ui/panels/panelhost.h"
#include "ui/panels/stepcompletebutton.h"
#include "ui/servicecontext.h"

class QPushButton;

namespace opal::ui {

// The buttons of a Bi-D print or input panel's .ui file, for both roles: the operation (the
// default button) and "Previous" on the individual form; the operation, the button to the other
// Bi-D panel and the step's Complete button on the repair form.
struct BidButtons {
  QPushButton*& adjustment_action;
  QPushButton*& previous;
  QPushButton*& repair_action;
  QPushButton*& other_panel;
  QPushButton*& complete;
};

// The part the Bi-D print and input panels share. On the repair form the two panels are one step
// with one Complete action: MakeBidPanels ties their Complete buttons together.
class BidStepPanel : public OperationPanel {
  Q_OBJECT

 public:
  // A repair starts with the step undone.
  void ClearInput() override;

 public slots:
  // The other panel's Complete button changed; this one shows the same.
  void FollowComplete(bool enabled);

 signals:
  void CompleteChanged(bool enabled);

 protected:
  // `repair_step_name` is the panel's object name on the repair form.
  BidStepPanel(PanelId id, ServiceContext& context, PanelHost& host, PanelRole role,
               const char* repair_step_name);

  // After the layout is built: names the panel for its role and keeps the role's buttons, the
  // others deleted. "Previous" and "Complete" work by themselves; the caller connects the action
  // and the button to the other panel.
  void SetUpRole(const BidButtons& buttons);
  void SetComplete(bool enabled);

  ServiceContext& context_;
  PanelHost& host_;
  const PanelRole role_;
  QPushButton* action_button_ = nullptr;
  QPushButton* other_panel_button_ = nullptr;

 private:
  void ReturnToBidPnl();

  const char* const repair_step_name_;
  StepCompleteButton complete_;
};

}  // namespace opal::ui
