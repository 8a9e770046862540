#pragma once

class QLineEdit;

namespace opal::ui {

// Letters typed or pasted into the edit turn into capitals as they arrive.
void ForceUpperCase(QLineEdit& edit);

}  // namespace opal::ui
