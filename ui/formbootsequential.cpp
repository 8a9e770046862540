#include "ui/formbootsequential.h"

#include <utility>

#include "ui/clickablepanel.h"
#include "ui/formwindow.h"
#include "ui/quit.h"
#include "ui/screencursor.h"
#include "ui/sequence.h"
#include "ui_formbootsequential.h"

namespace opal::ui {

TFormBootSequential::TFormBootSequential(ServiceContext& context, Forms& forms)
    : ProgramForm(context), ui_(std::make_unique<::Ui::TFormBootSequential>()), forms_(forms) {
  ui_->setupUi(this);
  const std::pair<ClickablePanel*, void (TFormBootSequential::*)()> items[] = {
      {ui_->SeqRepairPnl1, &TFormBootSequential::SeqRepairPnl1Click},
      {ui_->SeqRepairPnl2, &TFormBootSequential::SeqRepairPnl2Click},
      {ui_->SeqRepairPnl3, &TFormBootSequential::SeqRepairPnl3Click},
      {ui_->SeqRepairPnl4, &TFormBootSequential::SeqRepairPnl4Click},
      {ui_->SeqRepairPnl5, &TFormBootSequential::SeqRepairPnl5Click},
      {ui_->SeqRepairPnl6, &TFormBootSequential::SeqRepairPnl6Click},
      {ui_->SeqRepairPnl7, &TFormBootSequential::SeqRepairPnl7Click},
  };
  for (const auto& [panel, handler] : items) connect(panel, &ClickablePanel::Click, this, handler);
  connect(ui_->SequentialFormBootQuitBtn, &QPushButton::clicked, this,
          &TFormBootSequential::SequentialFormBootQuitBtnClick);
  SetUpFormWindow(*this, BorderIcons::SystemMenuAndMinimise);
}

TFormBootSequential::~TFormBootSequential() = default;

void TFormBootSequential::SetModelName(const QString& name) {
  ui_->FormBootSequentialModelNameLbl->setText(name);
}

void TFormBootSequential::OpenRepair(int item) {
  TFormSequentialRepair& repair = *forms_.FormSequentialRepair;
  hide();
  repair.show();
  repair.StartRepair(item);
  repair.RepairType = static_cast<int16_t>(kFirstRepairType + item - 1);
}

void TFormBootSequential::SequentialFormBootQuitBtnClick() {
  close();
}

void TFormBootSequential::FormClose() {
  TFormSequentialRepair& repair = *forms_.FormSequentialRepair;
  repair.ResetRepairForm();
  repair.ClearAdjustedItems();
  // Leaving the repairs neither asks whether the printer still answers nor looks at the result.
  InitializePrinterOnLeaving(false, {});
  hide();
  context_.port.Close();
  ShowNormalCursor();
  forms_.FormQuit->show();
}

}  // namespace opal::ui
