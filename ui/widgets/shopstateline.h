#pragma once

#include <QLabel>
#include <QTimer>
#include <atomic>
#include <thread>

namespace opal::ui {

// The start-up form's line on the shop: whether its database answers and what of this bench's
// journal waits for it. While shown it looks again every half minute and forwards what waits
// when the back-off allows, on a thread of its own, so the form never waits for the server. Not
// shown where no shop is configured.
class ShopStateLine : public QLabel {
  Q_OBJECT

 public:
  static constexpr int kLookEveryMs = 30'000;

  explicit ShopStateLine(QWidget* parent = nullptr);
  ~ShopStateLine() override;

  // Starts a look unless one is under way; false when no shop is configured.
  bool Refresh();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QTimer timer_;
  std::thread worker_;
  std::atomic<bool> looking_{false};
};

}  // namespace opal::ui
