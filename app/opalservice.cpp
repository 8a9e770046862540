#include "app/opalservice.h"

#include "app/printedpageswindow.h"
#include "ui/seams/inputdrop.h"

namespace opal::app {

OpalService::OpalService(const Options& options)
    : ports(options.printer, clock, device_sleeper),
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
              .journal = &journal},
      forms(context),
      printed_pages(MakePrintedPagesWindow(BenchViewOf(ports), *forms.FormBoot)),
      diagnose(*forms.FormBoot, dialogs) {
  exit.ClosesPort(session.port);
  exit.OffersDiagnosis([this] { dialogs.Inform(DiagnosisText()); });
  session.port.SetIdle(ui::ProcessEventsDroppingInput);
}

}  // namespace opal::app
