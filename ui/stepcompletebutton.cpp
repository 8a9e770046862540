#include "ui/stepcompletebutton.h"

namespace opal::ui {

QPushButton* MakeStepCompleteButton(OperationPanel& panel, QPushButton& second,
                                    const QString& complete_name) {
  second.setObjectName(complete_name);
  second.setText(QStringLiteral("Complete"));
  second.setProperty("cancel", false);
  second.setEnabled(false);
  QObject::connect(&second, &QPushButton::clicked, &panel, [&panel, &second] {
    second.setEnabled(false);
    emit panel.StepCompleted();
  });
  return &second;
}

}  // namespace opal::ui
