#include "ui/seams/waitcountdown.h"

#include <QApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace opal::ui {
namespace {

constexpr int kMargin = 24;

int WholeSecondsLeft(std::chrono::milliseconds remaining) {
  return static_cast<int>((remaining.count() + 999) / 1000);
}

// The form the technician is looking at: the active window, else the last visible form.
QWidget* BusyForm(const QWidget* self) {
  if (QWidget* active = QApplication::activeWindow(); active != nullptr && active != self) {
    return active;
  }
  QWidget* shown = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != self && window->isVisible()) shown = window;
  }
  return shown;
}

}  // namespace

WaitCountdown::WaitCountdown()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("WaitCountdown"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  text_.setObjectName(QStringLiteral("WaitCountdownLbl"));
  text_.setAlignment(Qt::AlignCenter);
  text_.setWordWrap(true);
  QFont font = text_.font();
  font.setBold(true);
  text_.setFont(font);
  bar_.setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(&text_);
  layout->addWidget(&bar_);
  setAttribute(Qt::WA_StyledBackground);
  // The cream box is the design's: its text is fixed with it, or a dark palette's light text
  // would vanish on it.
  setStyleSheet(
      QStringLiteral("#WaitCountdown { background: #fffbe6; border: 2px solid #0000c0; }"
                     "#WaitCountdownLbl { color: #000000; }"));
  setFixedWidth(260);
}

void WaitCountdown::Begin(std::chrono::milliseconds total) {
  bar_.setRange(0, WholeSecondsLeft(total));
  ShowRemaining(total);
  ShowOverTheForm([](const QRect& over, const QRect& own) { return over.center() - own.center(); });
}

void WaitCountdown::ShowWork(const QString& text) {
  text_.setText(text);
  if (isVisible()) return;
  bar_.setRange(0, 0);
  // Below the middle, where a countdown of the same work stands.
  ShowOverTheForm([](const QRect& over, const QRect& own) {
    return QPoint(over.center().x() - own.width() / 2, over.bottom() - own.height() - kMargin);
  });
}

void WaitCountdown::ShowOverTheForm(const std::function<QPoint(const QRect&, const QRect&)>& at) {
  adjustSize();
  const QWidget* form = BusyForm(this);
  const QRect over =
      form != nullptr ? form->frameGeometry() : QApplication::primaryScreen()->availableGeometry();
  move(at(over, rect()));
  // Above its own form only, as the window manager keeps a transient window: above every
  // application it would cover what the technician switched to meanwhile. Not a child of the
  // form, which would then own it.
  create();
  if (QApplication::activeWindow() != this) active_before_ = QApplication::activeWindow();
  if (form != nullptr && form->windowHandle() != nullptr) {
    windowHandle()->setTransientParent(form->windowHandle());
  }
  show();
  raise();
}

// Some platforms make every window shown the active one, whatever it asks: the window that had
// the keyboard before the note must have it again, or the technician's next key goes nowhere.
void WaitCountdown::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) took_keyboard_ = true;
  QWidget::changeEvent(event);
}

void WaitCountdown::hideEvent(QHideEvent* event) {
  if (took_keyboard_ && active_before_ != nullptr && active_before_->isVisible()) {
    active_before_->activateWindow();
  }
  took_keyboard_ = false;
  QWidget::hideEvent(event);
}

void WaitCountdown::ShowRemaining(std::chrono::milliseconds remaining) {
  const int seconds = WholeSecondsLeft(remaining);
  text_.setText(tr("Please wait: %1 s").arg(seconds));
  bar_.setValue(bar_.maximum() - seconds);
}

}  // namespace opal::ui
