#include "ui/panels/usbidinputpanel.h"

#include <string>

#include "device/eeprom.h"
#include "device/usbid.h"
#include "ui/panels/printerlabels.h"
#include "ui/panels/stepcompletebutton.h"
#include "ui/seams/printerworker.h"
#include "ui_usbidinputpanel.h"

namespace opal::ui {

UsbIdInputPanel::UsbIdInputPanel(ServiceContext& context, PanelHost& host, PanelRole role)
    : OperationPanel(PanelId::UsbIdInput),
      ui_(std::make_unique<::Ui::UsbIdInputPanel>()),
      context_(context),
      host_(host) {
  ui_->setupUi(this);
  ShowPrinterLabelsUnder(*ui_->UsbIdInputLayout, *ui_->UsbIdInputEdit, context.printer_labels);
  connect(ui_->UsbIdInputOKBtn, &QPushButton::clicked, this,
          &UsbIdInputPanel::UsbIdInputOKBtnClick);
  complete_ = StepCompleteButton(*this, role, ui_->UsbIdInputCompleteBtn, ui_->UsbIdInputRtnBtn);
  if (role == PanelRole::Adjustment) {
    connect(ui_->UsbIdInputRtnBtn, &QPushButton::clicked, this,
            &UsbIdInputPanel::UsbIdInputRtnBtnClick);
  } else {
    // The repair form words its step differently.
    ui_->TitleLbl->setText(tr("Input USB ID "));
    ui_->UsbIdInputInstLbl->setText(tr("Enter Serial NO., and click OK button. "));
  }
}

UsbIdInputPanel::~UsbIdInputPanel() = default;

void UsbIdInputPanel::ClearInput() {
  ui_->UsbIdInputEdit->clear();
  complete_.Reset();
}

void UsbIdInputPanel::showEvent(QShowEvent* event) {
  OperationPanel::showEvent(event);
  ui_->UsbIdInputEdit->setFocus();
}

void UsbIdInputPanel::UsbIdInputOKBtnClick() {
  host_.ShowStatus(StatusMode::Plain, QString());
  const QString id = ui_->UsbIdInputEdit->text();
  std::string stamp;
  const Outcome written = OffTheWindow(
      [&] { return context_.operations.WriteUsbId(id.toLatin1().toStdString(), stamp); });
  if (written.result != PORT_OK) {
    host_.ShowFailure(written);
    return;
  }
  const QString written_stamp = QString::fromLatin1(stamp);
  host_.ShowStatus(StatusMode::Plain,
                   QString::fromStdString(UsbIdWrittenLine(id.toLatin1().toStdString(), stamp)));
  host_.SetAdjustedItem(AdjustedItem::UsbId, id + ' ' + written_stamp);
  complete_.Enable();
}

void UsbIdInputPanel::UsbIdInputRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::UsbIdChoice);
}

}  // namespace opal::ui
