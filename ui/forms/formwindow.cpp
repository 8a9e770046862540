#include "ui/forms/formwindow.h"

#include <QScreen>
#include <QWidget>

#include "ui/forms/formkeys.h"
#include "ui/forms/screenfit.h"
#include "ui/widgets/designcolours.h"

namespace opal::ui {

void SetUpFormWindow(QWidget& form, BorderIcons icons) {
  Qt::WindowFlags flags =
      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;
  if (icons == BorderIcons::SystemMenuAndMinimise) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  } else {
    flags |= Qt::WindowMaximizeButtonHint;
  }
  form.setWindowFlags(flags);
  KeepDesignColoursReadable(form);
  FitOnScreen(form, form.screen()->availableGeometry());
  new FormKeys(&form);
}

void TabLast(QWidget& form, QWidget& control) {
  QWidget* last = &form;
  while (last->nextInFocusChain() != &form) last = last->nextInFocusChain();
  if (last != &control) QWidget::setTabOrder(last, &control);
}

}  // namespace opal::ui
