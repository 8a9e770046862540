#include "app/serviceapplication.h"

#include <QMessageBox>
#include <exception>

#include "link/forceexit.h"
#include "ui/seams/applicationexit.h"
#include "ui/seams/screencursor.h"

namespace opal::app {

ServiceApplication::ServiceApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ServiceApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const ui::ApplicationEnding&) {
    // The notice is shown and the application told to quit; the event is spent.
  } catch (const std::exception& error) {
    ui::ShowNormalCursor();
    QMessageBox::critical(nullptr, QString::fromUtf8(kApplicationTitle),
                          QString::fromUtf8(error.what()));
  }
  return false;
}

}  // namespace opal::app
