#include "ui/forms/formwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/forms/formkeys.h"

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
  form.setFixedSize(form.sizeHint());
  form.move(QGuiApplication::primaryScreen()->availableGeometry().center() - form.rect().center());
  new FormKeys(&form);
}

}  // namespace opal::ui
