#pragma once

#include <QPushButton>
#include <QString>

#include "ui/operationpanel.h"

namespace opal::ui {

// On the repair form, `second` becomes the step's "Complete": disabled until the step's operation
// succeeds, and disabled again once pressed, when the panel emits StepCompleted.
QPushButton* MakeStepCompleteButton(OperationPanel& panel, QPushButton& second,
                                    const QString& complete_name);

// A panel that serves both forms has a second button: "Previous" on the individual adjustment
// form, as the layout made it, pressing it runs `previous`; the step's "Complete" on the repair
// form. Returns the Complete button, or nullptr on the individual form.
template <class Panel>
QPushButton* SetUpSecondButton(Panel& panel, QPushButton& second, PanelRole role,
                               const QString& complete_name, void (Panel::*previous)()) {
  if (role == PanelRole::RepairStep) return MakeStepCompleteButton(panel, second, complete_name);
  QObject::connect(&second, &QPushButton::clicked, &panel, previous);
  return nullptr;
}

}  // namespace opal::ui
