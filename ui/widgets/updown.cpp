#include "ui/widgets/updown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace opal::ui {
namespace {

constexpr int kArrowWidth = 16;

}  // namespace

UpDown::UpDown(QLineEdit& associate, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), associate_(associate), minimum_(minimum), maximum_(maximum) {
  auto* arrows = new QVBoxLayout(this);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  arrows->addWidget(AddArrow("UpBtn", Qt::UpArrow, 1));
  arrows->addWidget(AddArrow("DownBtn", Qt::DownArrow, -1));
  findChild<QToolButton*>(QStringLiteral("UpBtn"))->setAccessibleName(tr("Up"));
  findChild<QToolButton*>(QStringLiteral("DownBtn"))->setAccessibleName(tr("Down"));
  setFixedSize(kArrowWidth, associate.sizeHint().height());
}

QToolButton* UpDown::AddArrow(const char* name, Qt::ArrowType arrow, int delta) {
  auto* button = new QToolButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  connect(button, &QToolButton::clicked, this, [this, delta] { Step(delta); });
  return button;
}

void UpDown::Step(int delta) {
  bool is_number = false;
  const int typed = associate_.text().trimmed().toInt(&is_number);
  if (is_number) position_ = std::clamp(typed, minimum_, maximum_);
  position_ = std::clamp(position_ + delta, minimum_, maximum_);
  associate_.setText(QString::number(position_));
  emit Click();
}

}  // namespace opal::ui
