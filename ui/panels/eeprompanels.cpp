#include "ui/panels/eeprompanels.h"

#include "ui/panels/eepromgridpanel.h"
#include "ui/panels/eepromreadpanel.h"
#include "ui/panels/eepromwritepanel.h"

namespace opal::ui {

EepromCheckPanel::EepromCheckPanel(PanelHost& host, HexEntryPanel& read, HexEntryPanel& write)
    : ItemChoicePanel({.id = PanelId::EepromChoice,
                       .panel = "EepromCheckPnl",
                       .title_label = "Label23",
                       .title = tr("EEPROM data "),
                       .group = "EepromCheckRdoGrp",
                       .items = {tr("Check the EEPROM data"), tr("Change the EEPROM data")},
                       .ok_button = "EepromCheckOkBtn"}),
      host_(host),
      read_(read),
      write_(write) {
  connect(&OkButton(), &QPushButton::clicked, this, &EepromCheckPanel::EepromCheckOkBtnClick);
}

void EepromCheckPanel::EepromCheckOkBtnClick() {
  host_.ResetPanels(false);
  if (ItemIndex() == 0) {
    read_.ClearEntry();
    host_.ShowPanel(PanelId::EepromRead);
  } else {
    write_.ClearEntry();
    host_.ShowPanel(PanelId::EepromWrite);
  }
}

std::vector<OperationPanel*> MakeEepromPanels(ServiceContext& context, PanelHost& host) {
  auto* grid = new EepromGridPanel(host);
  auto* read = new EepromReadPanel(context, host, *grid);
  auto* write = new EepromWritePanel(context, host);
  return {new EepromCheckPanel(host, *read, *write), read, grid, write};
}

}  // namespace opal::ui
