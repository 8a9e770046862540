#include "ui/panelhost.h"

namespace opal::ui {

void PanelHost::ShowResultCode(StatusMode mode, Result code) {
  ShowStatus(mode, QString::fromStdString(ResultMessage(code)));
}

}  // namespace opal::ui
