#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace opal::ui {

// A captioned group of radio buttons with an item index, where -1 means that no item is chosen.
// The items come from the form's layout file (property "items").
class RadioGroup : public QGroupBox {
  Q_OBJECT
  Q_PROPERTY(QStringList items READ Items WRITE SetItems)

 public:
  explicit RadioGroup(QWidget* parent = nullptr);

  QStringList Items() const;
  void SetItems(const QStringList& items);
  int ItemIndex() const;
  // Marks the item without emitting Click; -1 clears the mark.
  void SetItemIndex(int index);

 signals:
  // The technician chose an item.
  void Click();

 private:
  QButtonGroup buttons_;
};

}  // namespace opal::ui
