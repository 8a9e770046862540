#pragma once

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace opal::ui {

// A printed page at a chosen scale: below 1:1 smoothed once, so thin lines stay visible on the
// whole page; from 1:1 on every printer dot is a square of screen pixels, so columns and nozzle
// lines can be judged. Dragging with the mouse asks for the view to move, the wheel with Ctrl for
// another zoom.
class PageView final : public QWidget {
  Q_OBJECT

 public:
  explicit PageView(QWidget* parent = nullptr);

  void SetPage(const QImage& page);
  // Screen pixels per printer dot.
  void SetScale(double scale);
  double Scale() const { return scale_; }
  const QImage& Page() const { return page_; }
  QSize sizeHint() const override;

 signals:
  // The mouse was dragged by `delta` screen pixels: the page should move with it.
  void Dragged(QPoint delta);
  // Ctrl and the wheel: `steps` zoom steps closer (fewer when negative) about `at`, a point of
  // the view.
  void ZoomAsked(int steps, QPoint at);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Rescale();

  QImage page_;
  QPixmap reduced_;  // the page below 1:1, made once per scale
  double scale_ = 1.0;
  QPoint drag_from_;
  bool dragging_ = false;
  int wheel_angle_ = 0;  // eighths of a degree not yet a whole step
};

}  // namespace opal::ui
