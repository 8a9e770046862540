#include "ui/forms/formbootsequential.h"

#include <utility>

#include "ui/forms/formwindow.h"
#include "ui/seams/screencursor.h"
#include "ui/widgets/clickablepanel.h"
#include "ui_formbootsequential.h"

namespace opal::ui {

TFormBootSequential::TFormBootSequential(ServiceContext& context)
    : ProgramForm(context), ui_(std::make_unique<::Ui::TFormBootSequential>()) {
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

void TFormBootSequential::SetModel(PrinterModel model) {
  ui_->FormBootSequentialModelNameLbl->setText(QString::fromStdString(ModelName(model)));
}

void TFormBootSequential::OpenRepair(int item) {
  hide();
  emit RepairChosen(item);
}

void TFormBootSequential::SequentialFormBootQuitBtnClick() {
  close();
}

void TFormBootSequential::FormClose() {
  emit Leaving();
  // Leaving the repairs neither asks whether the printer still answers nor looks at the result.
  InitializePrinterOnLeaving(false, {});
  hide();
  context_.port.Close();
  ShowNormalCursor();
  emit Left();
}

}  // namespace opal::ui
