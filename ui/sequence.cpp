#include "ui/sequence.h"

#include "ui/formwindow.h"
#include "ui/statustext.h"
#include "ui_sequence.h"

namespace opal::ui {

TFormSequentialRepair::TFormSequentialRepair()
    : ui_(std::make_unique<::Ui::TFormSequentialRepair>()) {
  ui_->setupUi(this);
  ui_->StatusMemo->clear();
  SetUpFormWindow(*this, BorderIcons::SystemMenuAndMinimise);
}

TFormSequentialRepair::~TFormSequentialRepair() = default;

void TFormSequentialRepair::SetModelName(const QString& name) {
  ui_->SequentialModelNameLbl->setText(name);
}

void TFormSequentialRepair::ResetRepairForm() {
  ResetStatusMemo(*ui_->StatusMemo, false);
}

void TFormSequentialRepair::ClearAdjustedItems() {
  ui_->Panel8->Clear();
}

}  // namespace opal::ui
