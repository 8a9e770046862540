#include "ui/panels/itemchoicepanel.h"

#include "ui_itemchoicepanel.h"

namespace opal::ui {

ItemChoicePanel::ItemChoicePanel(const ItemChoice& choice)
    : OperationPanel(choice.id), ui_(std::make_unique<::Ui::ItemChoicePanel>()) {
  ui_->setupUi(this);
  setObjectName(choice.panel);
  ui_->TitleLbl->setObjectName(choice.title_label);
  ui_->TitleLbl->setText(choice.title);
  ui_->ItemsRdoGrp->setObjectName(choice.group);
  ui_->ItemsRdoGrp->SetItems(choice.items);
  ui_->OKBtn->setObjectName(choice.ok_button);
  SelectFirstItem();
}

ItemChoicePanel::~ItemChoicePanel() = default;

int ItemChoicePanel::ItemIndex() const {
  return ui_->ItemsRdoGrp->ItemIndex();
}

QPushButton& ItemChoicePanel::OkButton() {
  return *ui_->OKBtn;
}

void ItemChoicePanel::SelectFirstItem() {
  ui_->ItemsRdoGrp->SetItemIndex(0);
}

}  // namespace opal::ui
