#pragma once

#include <memory>

class QWidget;

namespace opal::ui {

enum class BorderIcons {
  SystemMenuAndMinimise,  // close box and minimise box
  MinimiseAndMaximise,    // no close box: the form is left only through its buttons
};

// A window of its layout's size with the given border icons, wholly on its screen (FitOnScreen),
// with Enter and Esc as FormKeys says.
void SetUpFormWindow(QWidget& form, BorderIcons icons);

// `control` (the button the form is left by, at its bottom) last in the form's Tab chain, after
// the panels made in code, which would otherwise follow it.
void TabLast(QWidget& form, QWidget& control);

// The form's Designer controls, made before the members that hold on to them.
template <class Ui>
std::unique_ptr<Ui> LaidOut(QWidget& form) {
  auto ui = std::make_unique<Ui>();
  ui->setupUi(&form);
  return ui;
}

}  // namespace opal::ui
