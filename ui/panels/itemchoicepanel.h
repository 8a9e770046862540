#pragma once

#include <memory>

#include <QPushButton>
#include <QString>
#include <QStringList>

#include "ui/panels/operationpanel.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class ItemChoicePanel;
}
QT_END_NAMESPACE

namespace opal::ui {

// The object names and captions of a panel that offers a few items and an OK button.
struct ItemChoice {
  PanelId id;
  QString panel;
  QString title_label;
  QString title;
  QString group;
  // The first item is chosen when the form is created.
  QStringList items;
  QString ok_button;
};

// The first panel of a menu item: a title, a group "Items" and the default button "OK". What OK
// does belongs to the derived panel.
class ItemChoicePanel : public OperationPanel {
  Q_OBJECT

 public:
  explicit ItemChoicePanel(const ItemChoice& choice);
  ~ItemChoicePanel() override;

  int ItemIndex() const;

 protected:
  QPushButton& OkButton();
  void SelectFirstItem();

 private:
  std::unique_ptr<::Ui::ItemChoicePanel> ui_;
};

}  // namespace opal::ui
