#include "ui/panels/stepcompletebutton.h"

namespace opal::ui {

void RemoveButton(QPushButton*& button) {
  delete button;
  button = nullptr;
}

StepCompleteButton::StepCompleteButton(OperationPanel& panel, PanelRole role,
                                       QPushButton*& complete, QPushButton*& previous)
    : StepCompleteButton(panel, role, complete) {
  if (role == PanelRole::RepairStep) RemoveButton(previous);
}

StepCompleteButton::StepCompleteButton(OperationPanel& panel, PanelRole role,
                                       QPushButton*& complete) {
  if (role == PanelRole::Adjustment) {
    RemoveButton(complete);
    return;
  }
  complete_ = complete;
  complete_->setEnabled(false);
  QObject::connect(complete_, &QPushButton::clicked, &panel, [&panel, button = complete_] {
    button->setEnabled(false);
    emit panel.StepCompleted();
  });
}

void StepCompleteButton::Reset() {
  if (complete_ != nullptr) complete_->setEnabled(false);
}

// Complete is what a technician presses next, so it takes the focus and Enter presses it.
void StepCompleteButton::Enable() {
  if (complete_ == nullptr) return;
  complete_->setEnabled(true);
  complete_->setFocus(Qt::OtherFocusReason);
}

}  // namespace opal::ui
