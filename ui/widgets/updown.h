#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace opal::ui {

// An up-down spinner bound to an edit. An arrow click steps the number in the edit by one within
// the range, without wrapping, and reports the click. What is typed stays as typed, even outside
// the range: a click starts from the typed number held within the range, or from the last
// position when the text is no number.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  UpDown(QLineEdit& associate, int minimum, int maximum, QWidget* parent = nullptr);

 signals:
  void Click();

 private:
  QToolButton* AddArrow(const char* name, Qt::ArrowType arrow, int delta);
  void Step(int delta);

  QLineEdit& associate_;
  const int minimum_;
  const int maximum_;
  int position_ = 0;
};

}  // namespace opal::ui
