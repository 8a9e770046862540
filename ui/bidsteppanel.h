#pragma once

#include "ui/operationpanel.h"
#include "ui/panelhost.h"
#include "ui/servicecontext.h"

class QBoxLayout;
class QPushButton;

namespace opal::ui {

// What a Bi-D print or input panel is called in one role, and its buttons: the operation (the
// default button), then "Previous" on the individual form or, on the repair form, the button to
// the other Bi-D panel and the step's Complete button.
struct BidPanelNames {
  const char* panel;
  const char* action;
  const char* action_caption;
  const char* second;
  const char* second_caption;
  const char* complete;
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
  void BidCompleteBtnClick();

 signals:
  void CompleteChanged(bool enabled);

 protected:
  BidStepPanel(PanelId id, ServiceContext& context, PanelHost& host, PanelRole role,
               const BidPanelNames& adjustment, const BidPanelNames& repair_step);

  // After the layout is built: names the panel for its role and puts the role's buttons into
  // `button_row`. "Previous" and "Complete" work by themselves; the caller connects the action and
  // the button to the other panel.
  void SetUpRole(QBoxLayout& button_row);
  void SetComplete(bool enabled);

  ServiceContext& context_;
  PanelHost& host_;
  const PanelRole role_;
  const BidPanelNames& names_;
  QPushButton* action_button_ = nullptr;
  QPushButton* second_button_ = nullptr;

 private:
  void ReturnToBidPnl();

  QPushButton* complete_button_ = nullptr;
};

}  // namespace opal::ui
