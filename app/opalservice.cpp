#include "app/opalservice.h"

#include "app/printedpageswindow.h"
#include "ui/forms/printerwork.h"
#include "ui/seams/printerworker.h"

namespace opal::app {

OpalService::OpalService(const Options& options)
    : ports(options.printer, clock, device_sleeper),
      bench(BenchViewOf(ports)),
      exit(dialogs),
      session(ports.Provider(), clock, exit),
      journal_store(ports.JournalFile(DefaultJournalFile())),
      journal(journal_store, session, clock,
              {options.printer.virtual_dir ? VirtualPrinterPlace(*options.printer.virtual_dir) : "",
               "", "", ""}),
      context{.port = session.port,
              .command = session.command,
              .clock = clock,
              .sleeper = sleeper,
              .dialogs = dialogs,
              .exit = exit,
              .operations = session.operations,
              .journal = &journal,
              .printer_labels = PrinterLines(bench)},
      forms(context),
      work_watched(ui::PrinterWorkWatch(context)),
      printed_pages(MakePrintedPagesWindow(bench, *forms.FormBoot)),
      diagnose(*forms.FormBoot, dialogs) {
  exit.ClosesPort(session.port);
  exit.OffersDiagnosis([this] { dialogs.Inform(DiagnosisText()); });
  session.port.SetIdle(ui::PrinterIdle);
}

}  // namespace opal::app
