#pragma once

#include <chrono>

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace opal::ui {

// A small window over the busy form that counts down the seconds of a long wait.
class WaitCountdown : public QWidget {
  Q_OBJECT

 public:
  WaitCountdown();
  void Begin(std::chrono::milliseconds total);
  void ShowRemaining(std::chrono::milliseconds remaining);

 private:
  QLabel text_;
  QProgressBar bar_;
};

}  // namespace opal::ui
