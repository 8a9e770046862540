#include "ui/panels/eepromreadpanel.h"

#include "device/eeprom.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"
#include "ui_eepromreadpanel.h"

namespace opal::ui {

EepromReadPanel::EepromReadPanel(ServiceContext& context, PanelHost& host, EepromGridPanel& grid)
    : HexEntryPanel(PanelId::EepromRead),
      ui_(std::make_unique<::Ui::EepromReadPanel>()),
      context_(context),
      host_(host),
      grid_(grid) {
  ui_->setupUi(this);
  SetEntryEdits(*ui_->EepReadBegEdit, *ui_->EepReadEndEdit);
  connect(ui_->EepromReadOkBtn, &QPushButton::clicked, this,
          &EepromReadPanel::EepromReadOkBtnClick);
  connect(ui_->EepromReadRtnBtn, &QPushButton::clicked, this,
          &EepromReadPanel::EepromReadRtnBtnClick);
}

EepromReadPanel::~EepromReadPanel() = default;

void EepromReadPanel::EepromReadOkBtnClick() {
  const auto range = ParsedEntry(ParseEepromRange, host_);
  if (!range) return;
  host_.ResetPanels(false);
  host_.SetStatusMemoVisible(false);
  host_.ShowPanel(PanelId::EepromGrid);
  grid_.ClearBytes();
  ShowHourglass();
  const Result result = OffTheWindow([&] {
    return context_.operations.ReadEeprom(*range, [this](uint8_t address, uint8_t value) {
      OnTheWindow([&] { grid_.ShowByte(address, value); });
    });
  });
  if (result != PORT_OK) {
    // The bytes read so far stay in the hidden grid.
    host_.ResetPanels(false);
    host_.ShowPanel(PanelId::EepromChoice);
    host_.ShowResultCode(StatusMode::Error, result);
  }
  ShowNormalCursor();
}

void EepromReadPanel::EepromReadRtnBtnClick() {
  host_.ResetPanels(false);
  host_.ShowPanel(PanelId::EepromChoice);
}

}  // namespace opal::ui
