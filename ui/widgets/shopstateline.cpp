#include "ui/widgets/shopstateline.h"

#include <QMetaObject>

#include "service/shopforwarder.h"

namespace opal::ui {

ShopStateLine::ShopStateLine(QWidget* parent) : QLabel(parent) {
  timer_.setInterval(kLookEveryMs);
  connect(&timer_, &QTimer::timeout, this, &ShopStateLine::Refresh);
}

ShopStateLine::~ShopStateLine() {
  // A look ends within libpq's connect_timeout.
  if (worker_.joinable()) worker_.join();
}

bool ShopStateLine::Refresh() {
  const ShopConfig config = LoadShopConfig();
  if (config.connection.empty() && config.problem.empty()) return false;
  if (looking_.exchange(true)) return true;
  if (worker_.joinable()) worker_.join();
  worker_ = std::thread([this, config] {
    const std::filesystem::path file = DefaultJournalFile();
    {
      const SystemClock clock;
      JournalStore store(file);
      // The outcome shows in the state read next.
      static_cast<void>(ForwardIfDue(store, config, clock));
    }
    const QString line = QString::fromStdString(::opal::ShopStateLine(ShopStatus(file, config)));
    QMetaObject::invokeMethod(
        this,
        [this, line] {
          setText(line);
          looking_ = false;
        },
        Qt::QueuedConnection);
  });
  return true;
}

void ShopStateLine::showEvent(QShowEvent* event) {
  QLabel::showEvent(event);
  if (Refresh()) {
    if (text().isEmpty()) setText(tr("Shop: looking for its database..."));
    timer_.start();
  } else {
    // Nothing to say: the form stays as it was designed.
    QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
  }
}

void ShopStateLine::hideEvent(QHideEvent* event) {
  timer_.stop();
  QLabel::hideEvent(event);
}

}  // namespace opal::ui
