#pragma once

#include <QApplication>

namespace opal::app {

// An error that reaches the event loop is shown to the technician and the program goes on, so a
// fault in one handler never takes the open forms down. The program's own end (ApplicationExit)
// stops here as well, where the application's quit takes over.
class ServiceApplication final : public QApplication {
  Q_OBJECT

 public:
  ServiceApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace opal::app
