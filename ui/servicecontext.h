#pragma once

#include <QStringList>

#include "link/factory.h"
#include "link/printerdriver.h"
#include "link/programexit.h"
#include "link/timing.h"
#include "service/operations.h"
#include "service/servicejournal.h"
#include "ui/seams/dialogs.h"

namespace opal::ui {

// The module objects the forms and their panels work with. The program creates each of them once
// and every test builds its own set; a unit that brings a module object adds one field here.
struct ServiceContext {
  TPrinterPort& port;
  TFactoryCommand& command;
  const Clock& clock;
  Sleeper& sleeper;
  Dialogs& dialogs;
  ProgramExit& exit;
  // Everything the forms do to the printer.
  ServiceOperations& operations;
  // Where the forms' writes are recorded before they reach the printer; none in tests that do
  // not look at it.
  ServiceJournal* journal = nullptr;
  // The head and serial labels of a printer that prints into files, which the technician cannot
  // read off the hardware; none for a real printer.
  QStringList printer_labels = {};
};

}  // namespace opal::ui
