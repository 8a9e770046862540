#include "ui/panels/eepromwritepanel.h"

#include "device/datamanu.h"
#include "device/eeprom.h"
#include "ui/seams/printerworker.h"
#include "ui_eepromwritepanel.h"

namespace opal::ui {

EepromWritePanel::EepromWritePanel(ServiceContext& context, PanelHost& host)
    : HexEntryPanel(PanelId::EepromWrite),
      ui_(std::make_unique<::Ui::EepromWritePanel>()),
      context_(context),
      host_(host) {
  ui_->setupUi(this);
  SetEntryEdits(*ui_->EepWriteAddEdit, *ui_->EepWriteDataEdit);
  connect(ui_->EepromWriteOkBtn, &QPushButton::clicked, this,
          &EepromWritePanel::EepromWriteOkBtnClick);
  connect(ui_->EepromWriteRtnBtn, &QPushButton::clicked, this,
          &EepromWritePanel::EepromWriteRtnBtnClick);
}

EepromWritePanel::~EepromWritePanel() = default;

void EepromWritePanel::EepromWriteOkBtnClick() {
  const auto byte = ParsedEntry(ParseEepromByte, host_);
  if (!byte) return;
  const Outcome written = OffTheWindow([&] { return context_.operations.WriteEepromByte(*byte); });
  if (written.result != PORT_OK) {
    host_.ShowFailure(written);
    return;
  }
  host_.ShowStatus(StatusMode::Plain, QString::fromUtf8(kEepromAddressPrefix));
  host_.ShowStatus(StatusMode::Append, QString::fromStdString(ByteToHexPair(byte->address)));
  host_.ShowStatus(StatusMode::NewLine, QString::fromUtf8(kEepromDataPrefix));
  host_.ShowStatus(StatusMode::Append, QString::fromStdString(ByteToHexPair(byte->data)));
}

void EepromWritePanel::EepromWriteRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::EepromChoice);
}

}  // namespace opal::ui
