#pragma once

#include <QAction>
#include <QObject>
#include <QString>
#include <thread>

#include "ui/forms/boot.h"
#include "ui/seams/dialogs.h"

namespace opal::app {

// The doctor's report on this machine's printer ports and the service journal, for a dialog.
QString DiagnosisText();

// "Diagnose..." in the start-up form's pop-up menu: the report, made off the window's thread
// (a silent printer takes seconds to give up), then shown in an information box.
class DiagnoseItem final : public QObject {
  Q_OBJECT

 public:
  DiagnoseItem(ui::TFormBoot& boot, ui::Dialogs& dialogs);
  ~DiagnoseItem() override;

 private:
  void Start();
  void Show(const QString& report);

  ui::Dialogs& dialogs_;
  QAction action_;
  std::thread worker_;
};

}  // namespace opal::app
