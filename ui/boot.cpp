#include "ui/boot.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <string>

#include "link/forceexit.h"
#include "ui/about.h"
#include "ui/adjust.h"
#include "ui/formbootsequential.h"
#include "ui/formwindow.h"
#include "ui/screencursor.h"
#include "ui/sequence.h"
#include "ui_boot.h"

namespace opal::ui {

TFormBoot::TFormBoot(ServiceContext& context, Forms& forms)
    : ui_(std::make_unique<::Ui::TFormBoot>()), context_(context), forms_(forms), PopupMenu1(this) {
  ui_->setupUi(this);
  PopupMenu1.setObjectName(QStringLiteral("PopupMenu1"));
  PopupMenu1.addAction(ui_->Version1);
  connect(ui_->PortSelectOKBtn, &QPushButton::clicked, this, &TFormBoot::PortSelectOKBtnClick);
  connect(ui_->ProEndBtn, &QPushButton::clicked, this, &TFormBoot::ProEndBtnClick);
  connect(ui_->Version1, &QAction::triggered, this, &TFormBoot::Version1Click);
  SetUpFormWindow(*this, BorderIcons::SystemMenuAndMinimise);
}

TFormBoot::~TFormBoot() = default;

int16_t TFormBoot::SelectedModelCode() const {
  switch (ui_->ModelNameCombo->currentIndex()) {
    case 0:
      return MODEL_OPAL_310;
    case 1:
      return MODEL_OPAL_320;
    default:
      return MODEL_NONE;
  }
}

void TFormBoot::showEvent(QShowEvent* event) {
  // Restoring a minimised form is no new start.
  if (!event->spontaneous()) FormShow();
  QWidget::showEvent(event);
}

void TFormBoot::FormShow() {
  for (QComboBox* combo : {ui_->ModelNameCombo, ui_->PortSelectionCombo, ui_->DestinationCombo,
                           ui_->ProgramTypeCombo}) {
    combo->setCurrentIndex(-1);
  }
  setEnabled(true);
  for (QPushButton* button : {ui_->PortSelectOKBtn, ui_->ProEndBtn, ui_->AboutBtn}) {
    button->setEnabled(true);
  }
}

bool TFormBoot::AllChosen() const {
  for (const QComboBox* combo : {ui_->ModelNameCombo, ui_->PortSelectionCombo,
                                 ui_->DestinationCombo, ui_->ProgramTypeCombo}) {
    if (combo->currentIndex() < 0) return false;
  }
  return true;
}

void TFormBoot::SetModelLabels(const QString& name) {
  forms_.FormAdjust->SetModelName(name);
  forms_.FormBootSequential->SetModelName(name);
  forms_.FormSequentialRepair->SetModelName(name);
}

void TFormBoot::EndForSilentPrinter() {
  ShowNormalCursor();
  // Why the port would not open (a missing device node, a missing permission) tells the
  // technician what to fix; the printer cannot have answered then.
  const std::string problem = context_.port.OpenProblem();
  context_.port.Close();
  if (problem.empty()) ForceExit(context_.exit);
  context_.exit.End({kApplicationTitle, std::string(kForceExitText) + "\n\n" + problem});
}

void TFormBoot::PortSelectOKBtnClick() {
  ShowHourglass();
  if (!AllChosen()) {
    ShowNormalCursor();
    return;
  }
  connecting_ = true;
  // Clicks held back while the printer is reached arrive afterwards and must not land here; the
  // next FormShow enables the form again.
  setEnabled(false);
  const int16_t model = SelectedModelCode();
  SetModelLabels(QString::fromStdString(ModelName(model)));
  port_index_ = static_cast<int16_t>(ui_->PortSelectionCombo->currentIndex());

  context_.port.Open(port_index_);
  if (!context_.port.CheckDeviceId()) EndForSilentPrinter();
  context_.port.Send(kStartSequence);

  hide();
  if (ui_->ProgramTypeCombo->currentIndex() == 0) {
    forms_.FormAdjust->show();
  } else {
    forms_.FormBootSequential->show();
  }
  WriteModelIdentity(context_.command, model);
  context_.port.IdentifyModel();
  forms_.FormAdjust->ShowStatus(
      StatusMode::Plain, QStringLiteral("Current Printer ID is %1.")
                             .arg(QString::fromStdString(ModelName(context_.port.ModelCode))));
  ShowNormalCursor();
  connecting_ = false;
}

void TFormBoot::ProEndBtnClick() {
  close();
}

void TFormBoot::closeEvent(QCloseEvent* event) {
  if (connecting_) {
    event->ignore();
    return;
  }
  event->accept();
  emit ProgramEnding();
}

void TFormBoot::mouseReleaseEvent(QMouseEvent* event) {
  FormMouseUp(event->button(), event->position().toPoint());
  QWidget::mouseReleaseEvent(event);
}

void TFormBoot::FormMouseUp(Qt::MouseButton button, QPoint position) {
  if (button == Qt::RightButton) PopupMenu1.popup(mapToGlobal(position));
}

void TFormBoot::Version1Click() {
  forms_.AboutBox->exec();
}

}  // namespace opal::ui
