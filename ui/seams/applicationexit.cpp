#include "ui/seams/applicationexit.h"

#include <QCoreApplication>

#include "ui/seams/screencursor.h"

namespace opal::ui {

void ApplicationExit::End(const ExitNotice& notice) {
  ShowNormalCursor();
  dialogs_.Error(QString::fromStdString(notice.caption), QString::fromStdString(notice.text));
  if (port_ != nullptr) port_->Close();
  QCoreApplication::exit(0);
  throw ApplicationEnding{};
}

}  // namespace opal::ui
