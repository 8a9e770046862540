#include "ui/seams/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "ui/seams/inputdrop.h"
#include "ui/seams/screencursor.h"
#include "ui/widgets/coretext.h"

namespace opal::ui {
namespace {

// A dialog takes the enabled state of its parent, so a busy (disabled) form must not own one.
QWidget* DialogParent() {
  QWidget* active = QApplication::activeWindow();
  return active != nullptr && active->isEnabled() ? active : nullptr;
}

// A dialog without a parent still belongs to the window that asked, busy or not: tied to it, the
// window manager keeps it in front of that window and centres it there.
void TieToAsker(QWidget& dialog) {
  QWidget* asker = QApplication::activeWindow();
  if (dialog.parentWidget() != nullptr || asker == nullptr || asker == &dialog) return;
  dialog.winId();
  dialog.windowHandle()->setTransientParent(asker->windowHandle());
}

int Run(QMessageBox& box) {
  // The hourglass of a busy form must not hide the pointer over the dialog's buttons.
  const CursorSuspended normal;
  // A question asked while an operation runs must still take its answer.
  const InputDropSuspended answerable;
  TieToAsker(box);
  // The button that Enter presses shows its focus from the start.
  box.setAttribute(Qt::WA_KeyboardFocusChange);
  return box.exec();
}

QMessageBox::StandardButton Show(QMessageBox::Icon icon, const QString& caption,
                                 const QString& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, CoreText(caption), CoreText(text), buttons, DialogParent());
  return static_cast<QMessageBox::StandardButton>(Run(box));
}

}  // namespace

bool MessageBoxDialogs::Confirm(const QString& text) {
  return Show(QMessageBox::Question, QCoreApplication::translate("Dialogs", "Confirm"), text,
              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxDialogs::Inform(const QString& text) {
  Show(QMessageBox::Information, QCoreApplication::translate("Dialogs", "Information"), text,
       QMessageBox::Ok);
}

void MessageBoxDialogs::Warn(const QString& text) {
  Show(QMessageBox::Warning, QCoreApplication::translate("Dialogs", "Warning"), text,
       QMessageBox::Ok);
}

void MessageBoxDialogs::Error(const QString& caption, const QString& text) {
  Show(QMessageBox::Critical, caption, text, QMessageBox::Ok);
}

bool MessageBoxDialogs::ErrorOffering(const QString& caption, const QString& text,
                                      const QString& action) {
  QMessageBox box(QMessageBox::Critical, CoreText(caption), CoreText(text), QMessageBox::Ok,
                  DialogParent());
  const QPushButton* offered = box.addButton(action, QMessageBox::ActionRole);
  Run(box);
  return box.clickedButton() == offered;
}

int MessageBoxDialogs::Choose(const QString& text, const QStringList& choices) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::translate("Dialogs", "Confirm"),
                  CoreText(text), QMessageBox::NoButton, DialogParent());
  std::vector<QPushButton*> buttons;
  for (const QString& choice : choices) {
    buttons.push_back(box.addButton(choice, QMessageBox::AcceptRole));
  }
  if (!buttons.empty()) box.setEscapeButton(buttons.back());
  Run(box);
  const auto pressed = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  return static_cast<int>(pressed == buttons.end() ? buttons.size() - 1
                                                   : pressed - buttons.begin());
}

QString MessageBoxDialogs::SaveFileName(const QString& caption, const QString& suggested,
                                        const QString& filter) {
  const CursorSuspended normal;
  const InputDropSuspended answerable;
  return QFileDialog::getSaveFileName(DialogParent(), caption, suggested, filter);
}

}  // namespace opal::ui
