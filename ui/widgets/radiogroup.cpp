#include "ui/widgets/radiogroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace opal::ui {

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent) {
  new QVBoxLayout(this);
  connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::Click);
}

QStringList RadioGroup::Items() const {
  QStringList items;
  for (const QAbstractButton* button : buttons_.buttons()) items << button->text();
  return items;
}

void RadioGroup::SetItems(const QStringList& items) {
  for (QAbstractButton* button : buttons_.buttons()) delete button;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_.addButton(button, i);
    layout()->addWidget(button);
  }
}

int RadioGroup::ItemIndex() const {
  return buttons_.checkedId();
}

void RadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* chosen = buttons_.button(index)) {
    chosen->setChecked(true);
    return;
  }
  // An exclusive group never lets the last checked button go.
  buttons_.setExclusive(false);
  for (QAbstractButton* button : buttons_.buttons()) button->setChecked(false);
  buttons_.setExclusive(true);
}

}  // namespace opal::ui
