#pragma once

class QWidget;

namespace opal::ui {

// A panel that takes the place of another (print, then input) would leave the keyboard on a
// hidden button: the focus moves to the panel's first tab stop unless it is already inside.
void KeepFocusIn(QWidget& panel);

}  // namespace opal::ui
