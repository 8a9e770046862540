#include "ui/widgets/clickablepanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace opal::ui {

ClickablePanel::ClickablePanel(QWidget* parent) : QFrame(parent), caption_(new QLabel(this)) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  setCursor(Qt::PointingHandCursor);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 2, 8, 2);
  layout->addWidget(caption_);
}

QString ClickablePanel::Caption() const {
  return caption_->text();
}

void ClickablePanel::SetCaption(const QString& caption) {
  caption_->setText(caption);
}

void ClickablePanel::SetColour(const QColor& ground) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ground);
  palette.setColor(QPalette::WindowText, ground.lightness() < 128 ? Qt::white : Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);
}

void ClickablePanel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  // The panel is the click's target: neither half goes on to the panel around it.
  event->accept();
}

// Like a button: the click counts where the press began and the release ends on the panel.
void ClickablePanel::mouseReleaseEvent(QMouseEvent* event) {
  const bool clicked =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (clicked) emit Click();
}

}  // namespace opal::ui
