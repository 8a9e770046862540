#pragma once

#include <vector>

#include "ui/panels/hexentrypanel.h"
#include "ui/panels/itemchoicepanel.h"
#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// "EEPROM data" on the individual adjustment form: read a range of addresses, or write one byte.
// Whichever panel it opens starts with empty edits.
class EepromCheckPanel final : public ItemChoicePanel {
  Q_OBJECT

 public:
  EepromCheckPanel(PanelHost& host, HexEntryPanel& read, HexEntryPanel& write);

 public slots:
  void EepromCheckOkBtnClick();

 private:
  PanelHost& host_;
  HexEntryPanel& read_;
  HexEntryPanel& write_;
};

// The four panels of "EEPROM data", wired to one another: the choice, the range to read, the
// grid it fills, and the byte to write.
std::vector<OperationPanel*> MakeEepromPanels(ServiceContext& context, PanelHost& host);

}  // namespace opal::ui
