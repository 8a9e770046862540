#include "ui/widgets/clickablepanel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace opal::ui {

ClickablePanel::ClickablePanel(QWidget* parent) : QFrame(parent), caption_(new QLabel(this)) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 2, 8, 2);
  layout->addWidget(caption_);
}

QString ClickablePanel::Caption() const {
  return caption_->text();
}

void ClickablePanel::SetCaption(const QString& caption) {
  caption_->setText(caption);
  // A screen reader announces the panel by what it says, as it does a button.
  setAccessibleName(caption);
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

void ClickablePanel::keyPressEvent(QKeyEvent* event) {
  const bool activates = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                         event->key() == Qt::Key_Space;
  if (!activates || (event->modifiers() & ~Qt::KeypadModifier)) {
    QFrame::keyPressEvent(event);
    return;
  }
  event->accept();
  emit Click();
}

// The style's own focus rectangle is faint or missing under some styles and palettes; the
// caption's colour always stands out on the panel's ground.
void ClickablePanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
  const int inset = lineWidth() + 1;
  painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

}  // namespace opal::ui
