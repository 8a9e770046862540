#include "ui/forms/busyfocus.h"

#include <QApplication>

namespace opal::ui {

void BusyFocus::Disable(QWidget& form) {
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && focus->window() == &form) focus_ = focus;
  form.setEnabled(false);
}

void BusyFocus::Enable(QWidget& form) {
  form.setEnabled(true);
  QWidget* focus = QApplication::focusWidget();
  const bool form_has_focus = focus != nullptr && focus->window() == &form;
  if (!form_has_focus && focus_ != nullptr && focus_->isVisible() && focus_->isEnabled())
    focus_->setFocus(Qt::OtherFocusReason);
  focus_ = nullptr;
}

}  // namespace opal::ui
