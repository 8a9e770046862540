#include "ui/applicationexit.h"

#include <cstdlib>

#include "ui/screencursor.h"

namespace opal::ui {

void ApplicationExit::End(const ExitNotice& notice) {
  ShowNormalCursor();
  dialogs_.Error(QString::fromStdString(notice.caption), QString::fromStdString(notice.text));
  if (port_ != nullptr) port_->Close();
  std::exit(0);
}

}  // namespace opal::ui
