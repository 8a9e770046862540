#pragma once

#include <QPushButton>

#include "ui/panels/operationpanel.h"

namespace opal::ui {

// Deletes a button of the other role and forgets it.
void RemoveButton(QPushButton*& button);

// The second button of a panel that serves both forms, one way for every such panel. Its .ui file
// holds both buttons side by side: "Previous" (none where the individual form has no way back) and
// the step's "Complete". The role keeps one and deletes the other, whose pointer becomes null: the
// individual form keeps Previous, whose click the panel connects; the repair form keeps Complete,
// disabled until the step's operation succeeds and disabled again once pressed, when the panel
// emits StepCompleted.
class StepCompleteButton {
 public:
  // Before the panel's layout exists: no button yet.
  StepCompleteButton() = default;
  StepCompleteButton(OperationPanel& panel, PanelRole role, QPushButton*& complete,
                     QPushButton*& previous);
  // A panel without a way back on the individual form.
  StepCompleteButton(OperationPanel& panel, PanelRole role, QPushButton*& complete);

  // A repair starts with every step undone.
  void Reset();
  // The step's operation succeeded.
  void Enable();
  bool IsEnabled() const { return complete_ != nullptr && complete_->isEnabled(); }

 private:
  QPushButton* complete_ = nullptr;
};

}  // namespace opal::ui
