#pragma once

#include "app/diagnosis.h"
#include "app/options.h"
#include "link/timing.h"
#include "service/journalstore.h"
#include "service/servicejournal.h"
#include "service/servicesession.h"
#include "ui/forms/navigator.h"
#include "ui/forms/printedpages.h"
#include "ui/seams/applicationexit.h"
#include "ui/seams/dialogs.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/responsivesleeper.h"
#include "ui/servicecontext.h"
#include "virtualport/printerports.h"
#include "virtualport/trainingbench.h"

namespace opal::app {

// The program's module objects, each created once here and handed on by reference. Needs the
// application object.
struct OpalService {
  explicit OpalService(const Options& options);

  SystemClock clock;
  ui::ResponsiveSleeper sleeper;
  // The virtual printer's own waits are short polls; the port's idle hook keeps the windows
  // painted meanwhile.
  ThreadSleeper device_sleeper;
  PrinterPorts ports;
  // Only on the virtual printer: where its pages land and the labels on its hardware.
  std::optional<BenchView> bench;
  ui::MessageBoxDialogs dialogs;
  ui::ApplicationExit exit;
  ServiceSession session;
  // Every write the forms make goes through the journal before it reaches the printer.
  JournalStore journal_store;
  ServiceJournal journal;
  ui::ServiceContext context;
  ui::Navigator forms;
  ui::WorkWatched work_watched;
  // Only on the virtual printer, whose pages land in files.
  std::unique_ptr<ui::TFormPrintedPages> printed_pages;
  DiagnoseItem diagnose;
};

}  // namespace opal::app
