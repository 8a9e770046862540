#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QLabel>
#include <QTimer>

namespace opal::ui {

// The line under "Port Selection" that names the printers plugged in now, so the technician sees
// which port to choose. It looks again while it is shown, so a printer plugged in or removed
// shows within a second.
class PrintersFoundLine : public QLabel {
  Q_OBJECT

 public:
  // "VLUSB1: what it is" per printer; nullopt where the ports cannot tell without being opened.
  using Finder = std::function<std::optional<std::vector<std::string>>()>;
  static constexpr int kLookEveryMs = 1000;

  explicit PrintersFoundLine(QWidget* parent = nullptr);

  void Watch(Finder finder);
  void Refresh();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  Finder finder_;
  QTimer timer_;
};

}  // namespace opal::ui
