#include "ui/formbootsequential.h"

#include "ui/formwindow.h"
#include "ui/quit.h"
#include "ui/screencursor.h"
#include "ui/sequence.h"
#include "ui_formbootsequential.h"

namespace opal::ui {

TFormBootSequential::TFormBootSequential(ServiceContext& context, Forms& forms)
    : ProgramForm(context), ui_(std::make_unique<::Ui::TFormBootSequential>()), forms_(forms) {
  ui_->setupUi(this);
  connect(ui_->SequentialFormBootQuitBtn, &QPushButton::clicked, this,
          &TFormBootSequential::SequentialFormBootQuitBtnClick);
  SetUpFormWindow(*this, BorderIcons::SystemMenuAndMinimise);
}

TFormBootSequential::~TFormBootSequential() = default;

void TFormBootSequential::SetModelName(const QString& name) {
  ui_->FormBootSequentialModelNameLbl->setText(name);
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
