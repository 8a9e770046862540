#include "ui/forms/formkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace opal::ui {
namespace {

QPushButton* VisibleButton(const QWidget& form, bool (*marked)(const QPushButton&)) {
  for (QPushButton* button : form.findChildren<QPushButton*>()) {
    if (marked(*button) && button->isVisible() && button->isEnabled()) return button;
  }
  return nullptr;
}

bool IsDefault(const QPushButton& button) {
  return button.isDefault();
}
bool IsCancel(const QPushButton& button) {
  return button.property("cancel").toBool();
}

}  // namespace

FormKeys::FormKeys(QWidget* form) : QObject(form), form_(form) {
  form->installEventFilter(this);
}

bool FormKeys::eventFilter(QObject* watched, QEvent* event) {
  if (watched != form_ || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & ~Qt::KeypadModifier) return false;
  QPushButton* pressed = nullptr;
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    pressed = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (pressed == nullptr || pressed->window() != form_)
      pressed = VisibleButton(*form_, IsDefault);
  } else if (key->key() == Qt::Key_Escape) {
    pressed = VisibleButton(*form_, IsCancel);
  }
  if (pressed == nullptr) return false;
  pressed->click();
  return true;
}

}  // namespace opal::ui
