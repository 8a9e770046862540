#include "ui/bidsteppanel.h"

#include <QBoxLayout>
#include <QPushButton>

namespace opal::ui {
namespace {

QPushButton* AddButton(QBoxLayout& row, QWidget& panel, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), &panel);
  button->setObjectName(QString::fromLatin1(name));
  // The size of the other panels' buttons, so every panel's buttons look alike.
  button->setMinimumSize(90, 28);
  row.addWidget(button);
  return button;
}

}  // namespace

BidStepPanel::BidStepPanel(PanelId id, ServiceContext& context, PanelHost& host, PanelRole role,
                           const BidPanelNames& adjustment, const BidPanelNames& repair_step)
    : OperationPanel(id),
      context_(context),
      host_(host),
      role_(role),
      names_(role == PanelRole::Adjustment ? adjustment : repair_step) {}

void BidStepPanel::SetUpRole(QBoxLayout& row) {
  setObjectName(QString::fromLatin1(names_.panel));
  row.addStretch();
  action_button_ = AddButton(row, *this, names_.action, names_.action_caption);
  action_button_->setDefault(true);
  second_button_ = AddButton(row, *this, names_.second, names_.second_caption);
  if (role_ == PanelRole::Adjustment) {
    second_button_->setProperty("cancel", true);
    connect(second_button_, &QPushButton::clicked, this, &BidStepPanel::ReturnToBidPnl);
  } else {
    complete_button_ = AddButton(row, *this, names_.complete, "Complete");
    complete_button_->setEnabled(false);
    connect(complete_button_, &QPushButton::clicked, this, &BidStepPanel::BidCompleteBtnClick);
  }
}

void BidStepPanel::ClearInput() {
  SetComplete(false);
}

void BidStepPanel::FollowComplete(bool enabled) {
  if (complete_button_ != nullptr) complete_button_->setEnabled(enabled);
}

void BidStepPanel::SetComplete(bool enabled) {
  FollowComplete(enabled);
  emit CompleteChanged(enabled);
}

void BidStepPanel::BidCompleteBtnClick() {
  SetComplete(false);
  emit StepCompleted();
}

void BidStepPanel::ReturnToBidPnl() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::BidChoice);
}

}  // namespace opal::ui
