#include "ui/panels/headidinputpanel.h"

#include "device/eeprom.h"
#include "device/headid.h"
#include "ui/panels/printerlabels.h"
#include "ui/panels/stepcompletebutton.h"
#include "ui/seams/printerworker.h"
#include "ui/widgets/jpegpicture.h"
#include "ui/widgets/uppercaseinput.h"
#include "ui_headidinputpanel.h"

namespace opal::ui {

HeadIdInputPanel::HeadIdInputPanel(ServiceContext& context, PanelHost& host, PanelRole role)
    : OperationPanel(PanelId::HeadIdInput),
      ui_(std::make_unique<::Ui::HeadIdInputPanel>()),
      context_(context),
      host_(host) {
  ui_->setupUi(this);
  ShowPrinterLabelsUnder(*ui_->HdVolWrtInputLayout, *ui_->HdVolWrtEdit, context.printer_labels);
  ForceUpperCase(*ui_->HdVolWrtEdit);
  ShowPhotograph();
  connect(ui_->HdVolWrtOKBtn, &QPushButton::clicked, this, &HeadIdInputPanel::HdVolWrtOKBtnClick);
  complete_ = StepCompleteButton(*this, role, ui_->HdVolWrtCompleteBtn, ui_->HdVolWrtRtnBtn);
  if (role == PanelRole::Adjustment) {
    connect(ui_->HdVolWrtRtnBtn, &QPushButton::clicked, this,
            &HeadIdInputPanel::HdVolWrtRtnBtnClick);
  }
}

HeadIdInputPanel::~HeadIdInputPanel() = default;

void HeadIdInputPanel::ShowPhotograph() {
  const JpegPicture photograph = HeadIdPhotograph();
  if (photograph.image.isNull()) {
    ui_->HdVolWrtImg->setText(tr("The photograph cannot be shown: %1").arg(photograph.failure));
  } else {
    ui_->HdVolWrtImg->setPixmap(QPixmap::fromImage(photograph.image));
  }
}

void HeadIdInputPanel::ClearInput() {
  ui_->HdVolWrtEdit->clear();
  complete_.Reset();
}

void HeadIdInputPanel::showEvent(QShowEvent* event) {
  OperationPanel::showEvent(event);
  ui_->HdVolWrtEdit->setFocus();
}

void HeadIdInputPanel::HdVolWrtOKBtnClick() {
  const QString id = ui_->HdVolWrtEdit->text();
  // One byte a character, so a letter the head ID cannot hold is reported at its position.
  const Outcome written =
      OffTheWindow([&] { return context_.operations.WriteHeadId(id.toLatin1().toStdString()); });
  if (written.result != PORT_OK) {
    host_.ShowFailure(written);
    ui_->HdVolWrtEdit->setFocus();
    return;
  }
  StatusMode mode = StatusMode::Plain;
  for (const std::string& line : HeadIdWrittenLines(id.toLatin1().toStdString())) {
    host_.ShowStatus(mode, QString::fromStdString(line));
    mode = StatusMode::NewLine;
  }
  host_.SetAdjustedItem(AdjustedItem::HeadId, id);
  complete_.Enable();
}

void HeadIdInputPanel::HdVolWrtRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::HeadIdChoice);
}

}  // namespace opal::ui
