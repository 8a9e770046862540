#include "ui/forms/boot.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <string>
#include <vector>

#include "link/forceexit.h"
#include "service/journaltext.h"
#include "ui/forms/formwindow.h"
#include "ui/seams/inputdrop.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"
#include "ui/widgets/coretext.h"
#include "ui_boot.h"

namespace opal::ui {
namespace {

// The system's detail when it says more than the message alone.
std::string WithDetail(const std::string& message, const std::string& detail) {
  if (detail.empty()) return message;
  if (detail.starts_with(message)) return detail;
  return CoreText(message).toStdString() + "\n\n" + detail;
}

constexpr const char* kInterruptedQuestion = QT_TRANSLATE_NOOP(
    "opal::ui::TFormBoot",
    "\n\nFinish the write, put the old values back, or leave the printer as it is?");

QString SetUpFailure(PrinterModel model, const std::string& reason) {
  return TFormBoot::tr(
             "The printer could not be set up as the %1.\n%2\n\nThe port is closed again. "
             "Check the printer and its cable, then press OK to try again.")
      .arg(QString::fromStdString(ModelName(model)), CoreText(reason));
}

}  // namespace

TFormBoot::TFormBoot(ServiceContext& context)
    : ui_(std::make_unique<::Ui::TFormBoot>()), context_(context), PopupMenu1(this) {
  ui_->setupUi(this);
  // The choices come from the model table, so a new model changes nothing here.
  for (const PrinterModel model : OfferedModels()) {
    ui_->ModelNameCombo->addItem(QString::fromStdString(ModelName(model)));
  }
  PopupMenu1.setObjectName(QStringLiteral("PopupMenu1"));
  PopupMenu1.addAction(ui_->Version1);
  connect(ui_->PortSelectOKBtn, &QPushButton::clicked, this, &TFormBoot::PortSelectOKBtnClick);
  connect(ui_->ProEndBtn, &QPushButton::clicked, this, &TFormBoot::ProEndBtnClick);
  connect(ui_->Version1, &QAction::triggered, this, &TFormBoot::Version1Click);
  // Desktops send the Menu key as a keyboard context menu or as a plain key; Shift+F10 always
  // comes as a key.
  auto* menu_keys = new QShortcut(this);
  menu_keys->setKeys({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
  connect(menu_keys, &QShortcut::activated, this, &TFormBoot::PopupAtFocus);
  ui_->PrintersFoundLbl->Watch([this] { return context_.port.PrintersPresent(); });
  SetUpFormWindow(*this, BorderIcons::SystemMenuAndMinimise);
}

TFormBoot::~TFormBoot() = default;

PrinterModel TFormBoot::SelectedModelCode() const {
  const std::vector<PrinterModel> offered = OfferedModels();
  const int index = ui_->ModelNameCombo->currentIndex();
  return index >= 0 && index < static_cast<int>(offered.size())
             ? offered[static_cast<std::size_t>(index)]
             : PrinterModel::None;
}

std::optional<PortId> TFormBoot::ChosenPort() const {
  return PortAt(ui_->PortSelectionCombo->currentIndex());
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

void TFormBoot::EndForSilentPrinter(const OpenedPrinter& connection) {
  ShowNormalCursor();
  // Why the port would not open (a missing device node, a missing permission) tells the
  // technician what to fix; the printer cannot have answered then. A printer found on another
  // port says the wrong one was chosen.
  const std::string& problem = connection.problem;
  const std::string& elsewhere = connection.elsewhere;
  context_.port.Close();
  if (problem.empty() && elsewhere.empty()) ForceExit(context_.exit);
  context_.exit.End({kApplicationTitle, std::string(kForceExitText) +
                                            (problem.empty() ? "" : "\n\n" + problem) + elsewhere});
}

void TFormBoot::PortSelectOKBtnClick() {
  ShowHourglass();
  if (!AllChosen()) {
    ShowNormalCursor();
    return;
  }
  connecting_ = true;
  setEnabled(false);
  const PrinterModel model = SelectedModelCode();
  port_ = *ChosenPort();

  const OpenedPrinter connection =
      OffTheWindow([&] { return context_.operations.OpenPrinter(port_); });
  if (connection.result == ERR_PORT_BUSY) {
    StayForChoices(WithDetail(ResultMessage(ERR_PORT_BUSY), connection.problem));
    return;
  }
  if (connection.result != PORT_OK) EndForSilentPrinter(connection);
  if (!IdentityRewriteAccepted(model)) {
    context_.port.Close();
    EndConnecting();
    return;
  }
  // A printer left in the wrong model's identity must not be adjusted as the chosen one.
  if (const Result started = StartService(model); started != PORT_OK) {
    StayForChoices(SetUpFailure(model, context_.command.Message(started)).toStdString());
    return;
  }

  hide();
  const ServiceProgram program = ui_->ProgramTypeCombo->currentIndex() == 0
                                     ? ServiceProgram::IndividualAdjustment
                                     : ServiceProgram::SequentialRepair;
  emit Connected({.model = model, .program = program, .printer_model = context_.port.ModelCode});
  EndConnecting();
}

bool TFormBoot::IdentityRewriteAccepted(PrinterModel model) {
  const PrinterModel reported = context_.port.ModelCode;
  if (reported == PrinterModel::None || reported == model) return true;
  // The wrong model chosen by a slip would overwrite a sound identity without a word.
  return context_.dialogs.Confirm(
      tr("The printer reports itself as %1; its identity will be rewritten as %2. Continue?")
          .arg(QString::fromStdString(ModelName(reported)),
               QString::fromStdString(ModelName(model))));
}

Result TFormBoot::StartService(PrinterModel model) {
  if (const Result sent = OffTheWindow([&] { return context_.operations.StartServiceProtocol(); });
      sent != PORT_OK) {
    return sent;
  }
  if (const Result settled = SettleInterruptedWork(); settled != PORT_OK) return settled;
  return OffTheWindow([&] { return context_.operations.WriteIdentity(model).result; });
}

Result TFormBoot::SettleInterruptedWork() {
  if (context_.journal == nullptr) return PORT_OK;
  ServiceJournal& journal = *context_.journal;
  journal.Connected();
  journal.SetEndProblemReport([this](const std::string& problem) {
    OnTheWindow([&] {
      context_.dialogs.Error(QString::fromUtf8(kApplicationTitle), QString::fromStdString(problem));
    });
  });
  // Half a write reads back as a valid value: the technician decides on each unfinished entry
  // before anything else is written; leaving one keeps it for the service history.
  std::vector<InterruptedWork> interrupted;
  if (const Result checked = OffTheWindow([&] { return journal.FindInterrupted(interrupted); });
      checked != PORT_OK) {
    return checked;
  }
  for (const InterruptedWork& work : interrupted) {
    const int choice = context_.dialogs.Choose(
        QString::fromStdString(InterruptedLine(work)) + tr(kInterruptedQuestion),
        {tr("Finish it"), tr("Put old values back"), tr("Leave it")});
    if (choice != 0 && choice != 1) {
      if (!journal.Leave(work.entry)) return ERR_JOURNAL;
      continue;
    }
    const JournalSettling& how = choice == 0 ? kResume : kRollback;
    const Result settled = OffTheWindow([&] {
      const Result done = journal.Settle(work.entry, how.back, SettlingName(how, work.entry.id));
      journal.EndOperation();
      return done;
    });
    if (settled != PORT_OK) return settled;
    const std::optional<int64_t> by = journal.CurrentEntry();
    context_.dialogs.Inform(
        QString::fromStdString(SettledLine(how, work.entry, by.value_or(work.entry.id))));
  }
  return PORT_OK;
}

void TFormBoot::StayForChoices(const std::string& problem) {
  context_.port.Close();
  EndConnecting();
  context_.dialogs.Error(QString::fromUtf8(kApplicationTitle), QString::fromStdString(problem));
}

void TFormBoot::EndConnecting() {
  // Nothing clicked while the printer was being reached may run now.
  ProcessEventsDroppingInput();
  ShowNormalCursor();
  setEnabled(true);
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

// The mouse's menu opens on the button's release; only the keyboard's is taken here.
void TFormBoot::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() != QContextMenuEvent::Keyboard) return QWidget::contextMenuEvent(event);
  event->accept();
  PopupAtFocus();
}

// Below the control holding the focus, where the technician is looking.
void TFormBoot::PopupAtFocus() {
  const QWidget* focus = focusWidget();
  const QWidget& anchor = focus != nullptr && focus->isVisible() ? *focus : *this;
  PopupMenu1.popup(anchor.mapToGlobal(QPoint(0, anchor.height())));
}

void TFormBoot::Version1Click() {
  emit AboutRequested();
}

}  // namespace opal::ui
