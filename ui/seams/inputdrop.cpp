#include "ui/seams/inputdrop.h"

#include <QCoreApplication>
#include <QEvent>

#include "ui/seams/printerworker.h"

namespace opal::ui {
namespace {

bool IsInput(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::NativeGesture:
    case QEvent::Drop:
    case QEvent::InputMethod:
      return true;
    // A close box; the program's own close() calls are no input.
    case QEvent::Close:
      return event.spontaneous();
    default:
      return false;
  }
}

class InputFilter final : public QObject {
 public:
  int depth = 0;
  int suspensions = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (suspensions == 0 && IsInput(*event)) return true;
    return QObject::eventFilter(watched, event);
  }
};

InputFilter& Filter() {
  static InputFilter filter;
  return filter;
}

}  // namespace

InputDropped::InputDropped() {
  if (Filter().depth++ == 0) QCoreApplication::instance()->installEventFilter(&Filter());
}

InputDropped::~InputDropped() {
  if (--Filter().depth == 0) QCoreApplication::instance()->removeEventFilter(&Filter());
}

InputDropSuspended::InputDropSuspended() {
  ++Filter().suspensions;
}

InputDropSuspended::~InputDropSuspended() {
  --Filter().suspensions;
}

void ProcessEventsDroppingInput() {
  // Off the window's thread the windows run on their own.
  if (!OnWindowThread()) return;
  const InputDropped dropped;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace opal::ui
