#pragma once

#include <QObject>

class QWidget;

namespace opal::ui {

// Enter and Esc on a form: Enter presses the focused push button, else the form's visible default
// button, also from a combo box, radio button or check box; Esc presses the visible button whose
// property "cancel" is set. Several panels of one form may each have their own default button: only
// the visible one answers. The focus shows from the moment the form opens, as after a Tab.
class FormKeys final : public QObject {
  Q_OBJECT

 public:
  explicit FormKeys(QWidget* form);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* form_;
};

}  // namespace opal::ui
