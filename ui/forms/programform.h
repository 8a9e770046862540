#pragma once

#include <functional>

#include <QWidget>

#include "ui/servicecontext.h"

namespace opal::ui {

// A form that runs one of the two service programs; closing it (FormClose) leaves the program.
// While it is busy or leaving, its close box does nothing.
class ProgramForm : public QWidget {
  Q_OBJECT

 public:
  explicit ProgramForm(ServiceContext& context);

 signals:
  // The program was left: the printer initialised, the port closed, the form hidden.
  void Left();

 public slots:
  virtual void FormClose() = 0;

 protected:
  // The notice, the printer's initialisation and the 25 seconds it takes. With check_answer a
  // printer that no longer answers ends the program first; a failed command is handed to
  // report_failure before the wait.
  void InitializePrinterOnLeaving(bool check_answer,
                                  const std::function<void(Result)>& report_failure);

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

  ServiceContext& context_;

 private:
  bool closing_ = false;
};

}  // namespace opal::ui
