#include "ui/widgets/pageview.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace opal::ui {

PageView::PageView(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::OpenHandCursor);
}

void PageView::SetPage(const QImage& page) {
  page_ = page.convertToFormat(QImage::Format_RGB32);
  Rescale();
}

void PageView::SetScale(double scale) {
  scale_ = scale;
  Rescale();
}

QSize PageView::sizeHint() const {
  return QSize(static_cast<int>(std::ceil(page_.width() * scale_)),
               static_cast<int>(std::ceil(page_.height() * scale_)));
}

void PageView::Rescale() {
  reduced_ = scale_ < 1.0 && !page_.isNull()
                 ? QPixmap::fromImage(
                       page_.scaled(sizeHint(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                 : QPixmap();
  resize(sizeHint());
  update();
}

// Only the part on screen is drawn, so a page at 8:1 costs no more than one at 1:1.
void PageView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (page_.isNull()) return;
  if (!reduced_.isNull()) {
    painter.drawPixmap(event->rect(), reduced_, event->rect());
    return;
  }
  const int left = static_cast<int>(std::floor(event->rect().left() / scale_));
  const int top = static_cast<int>(std::floor(event->rect().top() / scale_));
  const int right = static_cast<int>(std::ceil((event->rect().right() + 1) / scale_));
  const int bottom = static_cast<int>(std::ceil((event->rect().bottom() + 1) / scale_));
  const QRect dots = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & page_.rect();
  const QRect target(static_cast<int>(dots.left() * scale_), static_cast<int>(dots.top() * scale_),
                     static_cast<int>(dots.width() * scale_),
                     static_cast<int>(dots.height() * scale_));
  painter.drawImage(target, page_, dots);
}

void PageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  drag_from_ = event->globalPosition().toPoint();
  setCursor(Qt::ClosedHandCursor);
}

void PageView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return QWidget::mouseMoveEvent(event);
  const QPoint at = event->globalPosition().toPoint();
  emit Dragged(at - drag_from_);
  drag_from_ = at;
}

void PageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  dragging_ = false;
  setCursor(Qt::OpenHandCursor);
}

// A wheel turns in steps of 15 degrees, a touchpad in smaller ones that add up to a step.
void PageView::wheelEvent(QWheelEvent* event) {
  constexpr int kStep = 120;
  if (!(event->modifiers() & Qt::ControlModifier)) return QWidget::wheelEvent(event);
  event->accept();
  wheel_angle_ += event->angleDelta().y();
  const int steps = wheel_angle_ / kStep;
  if (steps == 0) return;
  wheel_angle_ -= steps * kStep;
  emit ZoomAsked(steps, event->position().toPoint());
}

}  // namespace opal::ui
