#pragma once

#include <QPointer>
#include <QWidget>

namespace opal::ui {

// A form is disabled while an operation runs, which takes the keyboard focus away for good: the
// focus it had comes back when the form is enabled again, unless something else took it.
class BusyFocus {
 public:
  void Disable(QWidget& form);
  void Enable(QWidget& form);

 private:
  QPointer<QWidget> focus_;
};

}  // namespace opal::ui
