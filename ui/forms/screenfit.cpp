#include "ui/forms/screenfit.h"

#include <QFrame>
#include <QMargins>
#include <QRect>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>

namespace opal::ui {
namespace {

// Room kept for the title bar and borders, which the window manager adds outside the form and
// reports only once the form is shown.
constexpr QMargins kFrameAllowance{8, 32, 8, 8};
constexpr const char* kScrollName = "FormScrollArea";

// Moves the form's own layout and children onto a page inside a frameless scroll area that fills
// the form. Done once per form: the page keeps the designed size as its size hint.
QScrollArea& Wrapped(QWidget& form) {
  if (auto* area = form.findChild<QScrollArea*>(kScrollName, Qt::FindDirectChildrenOnly))
    return *area;
  auto* page = new QWidget;
  page->setObjectName(form.objectName() + QStringLiteral("Page"));
  // The page takes the layout first, which carries the laid-out children along: a child moved
  // before would leave the layout.
  if (QLayout* designed = form.layout()) page->setLayout(designed);
  for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) continue;
    const bool hidden = child->isHidden();
    child->setParent(page);
    child->setHidden(hidden);
  }
  auto* area = new QScrollArea;
  area->setObjectName(kScrollName);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  // The area scrolls to whatever takes the focus; it is no tab stop of its own.
  area->setFocusPolicy(Qt::NoFocus);
  area->setWidget(page);
  auto* layout = new QVBoxLayout(&form);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(area);
  return *area;
}

QSize Room(const QRect& available) {
  return available.marginsRemoved(kFrameAllowance).size();
}

// A window's position is that of its frame, which fits the area and is centred in it.
void Centre(QWidget& window, const QRect& available) {
  QRect framed = QRect(QPoint(), window.size()).marginsAdded(kFrameAllowance);
  framed.moveCenter(available.center());
  window.move(framed.topLeft());
}

}  // namespace

void FitOnScreen(QWidget& form, const QRect& available) {
  QScrollArea* area = form.findChild<QScrollArea*>(kScrollName, Qt::FindDirectChildrenOnly);
  const QSize designed = area != nullptr ? area->widget()->sizeHint() : form.sizeHint();
  const QSize room = Room(available);
  if (designed.width() <= room.width() && designed.height() <= room.height()) {
    form.setFixedSize(designed);
  } else {
    area = &Wrapped(form);
    // The design's own minimum sizes would let the page squeeze its captions to the window.
    area->widget()->setMinimumSize(designed);
    const QSize bars{area->verticalScrollBar()->sizeHint().width(),
                     area->horizontalScrollBar()->sizeHint().height()};
    const QSize most = designed + bars;
    form.setMinimumSize(QSize(0, 0));
    form.setMaximumSize(most);
    form.resize(most.boundedTo(room));
  }
  Centre(form, available);
}

void FitResizableOnScreen(QWidget& window, const QRect& available) {
  window.resize(window.size().boundedTo(Room(available)));
  Centre(window, available);
}

}  // namespace opal::ui
