#pragma once

#include <chrono>
#include <functional>

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

namespace opal::ui {

// A small window over the busy form that counts down the seconds of a long wait, or says what
// long printer work is doing.
class WaitCountdown : public QWidget {
  Q_OBJECT

 public:
  WaitCountdown();
  void Begin(std::chrono::milliseconds total);
  void ShowRemaining(std::chrono::milliseconds remaining);
  void ShowWork(const QString& text);

 protected:
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // `at` places the window, given the form's frame and the window's own rectangle.
  void ShowOverTheForm(const std::function<QPoint(const QRect&, const QRect&)>& at);

  QLabel text_;
  QProgressBar bar_;
  // Given the keyboard back when the note goes, if the note took it.
  QPointer<QWidget> active_before_;
  bool took_keyboard_ = false;
};

}  // namespace opal::ui
