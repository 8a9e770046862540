#include "ui/forms/navigator.h"

#include "ui/forms/about.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/quit.h"
#include "ui/forms/sequence.h"
#include "ui/forms/servicehistory.h"

namespace opal::ui {

Navigator::Navigator(ServiceContext& context)
    : FormBoot(std::make_unique<TFormBoot>(context)),
      FormAdjust(std::make_unique<TFormAdjust>(context)),
      AboutBox(std::make_unique<TAboutBox>()),
      FormQuit(std::make_unique<TFormQuit>()),
      FormBootSequential(std::make_unique<TFormBootSequential>(context)),
      // The nozzle check's own lines go to the individual form's memo, which is not on screen.
      FormSequentialRepair(std::make_unique<TFormSequentialRepair>(context, FormAdjust->Report())),
      FormServiceHistory(context.journal
                             ? std::make_unique<TFormServiceHistory>(context, *context.journal)
                             : nullptr) {
  ConnectStartUp();
  ConnectPrograms();
  ConnectQuit();
}

Navigator::~Navigator() = default;

void Navigator::ConnectStartUp() {
  QObject::connect(FormBoot.get(), &TFormBoot::Connected, FormBoot.get(),
                   [this](const Connection& connection) {
                     FormAdjust->SetModel(connection.model);
                     FormBootSequential->SetModel(connection.model);
                     FormSequentialRepair->SetModel(connection.model);
                     if (connection.program == ServiceProgram::IndividualAdjustment) {
                       FormAdjust->show();
                     } else {
                       FormBootSequential->show();
                     }
                     FormAdjust->ShowPrinterModel(connection.printer_model);
                   });
  QObject::connect(FormBoot.get(), &TFormBoot::AboutRequested, AboutBox.get(), &QDialog::exec);
  if (!FormServiceHistory) return;
  FormBoot->AddMenuItem(FormServiceHistory->ShowAction());
  QObject::connect(&FormServiceHistory->ShowAction(), &QAction::triggered, FormBoot.get(),
                   [this] { FormServiceHistory->ShowFor(FormBoot->ChosenPort()); });
}

void Navigator::ConnectPrograms() {
  QObject::connect(FormAdjust.get(), &ProgramForm::Left, FormQuit.get(), &QWidget::show);
  QObject::connect(FormBootSequential.get(), &TFormBootSequential::RepairChosen,
                   FormSequentialRepair.get(), [this](int repair) {
                     FormSequentialRepair->show();
                     FormSequentialRepair->StartRepair(repair);
                   });
  QObject::connect(FormSequentialRepair.get(), &TFormSequentialRepair::Closed,
                   FormBootSequential.get(), &QWidget::show);
  QObject::connect(FormBootSequential.get(), &TFormBootSequential::Leaving,
                   FormSequentialRepair.get(), &TFormSequentialRepair::ForgetRepairs);
  QObject::connect(FormBootSequential.get(), &ProgramForm::Left, FormQuit.get(), &QWidget::show);
}

void Navigator::ConnectQuit() {
  QObject::connect(FormQuit.get(), &TFormQuit::NextChosen, FormBoot.get(), &QWidget::show);
  QObject::connect(FormQuit.get(), &TFormQuit::QuitChosen, FormBoot.get(), &QWidget::close);
}

}  // namespace opal::ui
