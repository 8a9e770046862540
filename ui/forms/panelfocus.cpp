#include "ui/forms/panelfocus.h"

#include <QApplication>
#include <QWidget>

namespace opal::ui {

void KeepFocusIn(QWidget& panel) {
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && panel.isAncestorOf(focus) && focus->isVisible()) return;
  for (QWidget* next = panel.nextInFocusChain(); next != &panel; next = next->nextInFocusChain()) {
    const bool stop = (next->focusPolicy() & Qt::TabFocus) && next->isVisible() &&
                      next->isEnabled() && panel.isAncestorOf(next);
    if (stop) return next->setFocus(Qt::TabFocusReason);
  }
}

}  // namespace opal::ui
