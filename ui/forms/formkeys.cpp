#include "ui/forms/formkeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
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

// Platform themes differ on Enter here: some open a combo's list or let a radio button swallow
// it. The form's default button takes it on every desktop.
bool HandsEnterToTheForm(const QWidget& widget) {
  const auto* combo = qobject_cast<const QComboBox*>(&widget);
  return (combo != nullptr && !combo->isEditable()) || qobject_cast<const QRadioButton*>(&widget) ||
         qobject_cast<const QCheckBox*>(&widget);
}

}  // namespace

// Watching the whole application lets the form see Enter before a combo or a choice box takes it.
FormKeys::FormKeys(QWidget* form) : QObject(form), form_(form) {
  QApplication::instance()->installEventFilter(this);
}

bool FormKeys::eventFilter(QObject* watched, QEvent* event) {
  // Styles ring the focus only once it has moved by key; a form worked from the keyboard shows
  // where its focus is from the moment it opens.
  if (watched == form_ && event->type() == QEvent::Show)
    form_->setAttribute(Qt::WA_KeyboardFocusChange);
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & ~Qt::KeypadModifier) return false;
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  QPushButton* pressed = nullptr;
  if (watched != form_) {
    auto* widget = static_cast<QWidget*>(watched);
    if (!enter || widget->window() != form_ || !HandsEnterToTheForm(*widget)) return false;
    pressed = VisibleButton(*form_, IsDefault);
  } else if (enter) {
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
