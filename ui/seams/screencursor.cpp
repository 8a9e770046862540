#include "ui/seams/screencursor.h"

#include <QApplication>
#include <QCursor>

namespace opal::ui {

void ShowHourglass() {
  if (!HourglassShown()) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ShowNormalCursor() {
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

bool HourglassShown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

CursorSuspended::CursorSuspended() : suspended_(QApplication::overrideCursor() != nullptr) {
  if (suspended_) QApplication::setOverrideCursor(Qt::ArrowCursor);
}

CursorSuspended::~CursorSuspended() {
  if (suspended_) QApplication::restoreOverrideCursor();
}

}  // namespace opal::ui
