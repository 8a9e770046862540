#include "tests/ui/support/formfit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QStyle>
#include <vector>

namespace opal::testing {
namespace {

bool Fits(const QWidget& widget, const QString& text, bool word_wrap) {
  if (text.isEmpty()) return true;
  if (word_wrap) return widget.heightForWidth(widget.width()) <= widget.height();
  const QSize needed = widget.sizeHint();
  return needed.width() <= widget.width() && needed.height() <= widget.height();
}

// What a technician reads or works: a caption with text, a button, a field, a list.
bool IsControl(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget))
    return !label->text().isEmpty() && label->pixmap().isNull();
  return qobject_cast<const QAbstractButton*>(&widget) || qobject_cast<const QLineEdit*>(&widget) ||
         qobject_cast<const QComboBox*>(&widget) ||
         qobject_cast<const QAbstractSpinBox*>(&widget) ||
         qobject_cast<const QAbstractSlider*>(&widget) ||
         qobject_cast<const QPlainTextEdit*>(&widget) ||
         qobject_cast<const QAbstractItemView*>(&widget);
}

// A control's rectangle in the window, cut to what its ancestors let show.
QRect Shown(const QWidget& control, const QWidget& window) {
  QRect rect(control.mapTo(&window, QPoint(0, 0)), control.size());
  for (const QWidget* up = control.parentWidget(); up != nullptr && up != &window;
       up = up->parentWidget()) {
    rect &= QRect(up->mapTo(&window, QPoint(0, 0)), up->size());
  }
  return rect;
}

}  // namespace

std::string Clipped(const QWidget& window) {
  QStringList clipped;
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->isVisible() || label->pixmap().isNull() == false) continue;
    if (!Fits(*label, label->text(), label->wordWrap())) clipped << label->objectName();
  }
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const int room = edit->width() - 2 * frame - 4;
    if (edit->isVisible() && edit->fontMetrics().horizontalAdvance(edit->text()) > room)
      clipped << edit->objectName();
  }
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    if (button->isVisible() && !Fits(*button, button->text(), false))
      clipped << button->objectName();
  }
  return clipped.join(QStringLiteral(", ")).toStdString();
}

std::string Overlapping(const QWidget& window) {
  std::vector<std::pair<const QWidget*, QRect>> controls;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    // A combo box's or spin box's own line edit is part of it.
    if (qobject_cast<const QComboBox*>(widget->parentWidget()) ||
        qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()))
      continue;
    if (widget->isVisible() && IsControl(*widget))
      controls.emplace_back(widget, Shown(*widget, window));
  }
  QStringList overlapping;
  for (std::size_t a = 0; a < controls.size(); ++a) {
    for (std::size_t b = a + 1; b < controls.size(); ++b) {
      const auto& [first, first_rect] = controls[a];
      const auto& [second, second_rect] = controls[b];
      if (first->isAncestorOf(second) || second->isAncestorOf(first)) continue;
      if (first_rect.intersects(second_rect))
        overlapping << first->objectName() + QLatin1Char('/') + second->objectName();
    }
  }
  return overlapping.join(QStringLiteral(", ")).toStdString();
}

}  // namespace opal::testing
