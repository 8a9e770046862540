#include "ui/seams/applicationexit.h"

#include <QCoreApplication>

#include "ui/seams/screencursor.h"

namespace opal::ui {

void ApplicationExit::End(const ExitNotice& notice) {
  ShowNormalCursor();
  const QString caption = QString::fromStdString(notice.caption);
  const QString text = QString::fromStdString(notice.text);
  if (!diagnose_) {
    dialogs_.Error(caption, text);
  } else if (dialogs_.ErrorOffering(caption, text, QStringLiteral("Diagnose..."))) {
    diagnose_();
  }
  if (port_ != nullptr) port_->Close();
  QCoreApplication::exit(0);
  throw ApplicationEnding{};
}

}  // namespace opal::ui
