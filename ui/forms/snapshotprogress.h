#pragma once

#include "ui/panels/panelhost.h"
#include "ui/servicecontext.h"

namespace opal::ui {

// While the journal reads a printer's whole EEPROM before its first write, the form on screen
// says so on its status lines, with how far it has come.
void ShowSnapshotProgressIn(ServiceContext& context, PanelHost& host);

}  // namespace opal::ui
