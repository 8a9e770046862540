#include "cli/restorevalues.h"

#include <ostream>

#include "cli/terminal.h"
#include "service/changewords.h"
#include "service/printerhistory.h"

namespace opal::cli {

int RestoreValues(Opalctl& ctl, const std::string& serial, bool yes) {
  std::ostream& out = ctl.console.out;
  std::ostream& err = ctl.console.err;
  const ValuesSearch search = FindKnownValues(ctl.journal_store, LoadShopConfig(), serial);
  if (!search.problem.empty()) {
    err << "The shop could not be asked (" << search.problem << "); this bench's journal was.\n";
  }
  if (!search.found) {
    err << "No snapshot of the printer with serial " << Printable(serial)
        << " was found; its values are not known.\n";
    return kFailed;
  }
  const KnownValues& known = *search.found;
  ctl.Connect();
  std::vector<JournalChange> planned;
  if (const Result read = PlanValuesRestore(ctl.operations, known.snapshot.image, planned);
      read != PORT_OK) {
    return ctl.Failed(read);
  }
  const std::vector<EepromWrite> writes = WritesOf(planned);
  if (writes.empty()) {
    out << "The printer holds the values of " << Printable(serial) << " already; nothing to "
        << "write.\n";
    return kDone;
  }
  out << KnownValuesLine(known) << " Written, they change:\n";
  for (const std::string& words : ChangesInWords(planned)) out << "  " << words << '\n';
  if (const auto not_confirmed = NotConfirmed(ctl.console, "Write these values to the printer?",
                                              yes, "Nothing was written.")) {
    return *not_confirmed;
  }
  const Outcome outcome = ctl.operations.RestoreValues(writes);
  if (outcome.result != PORT_OK) return ctl.Failed(outcome);
  out << "Wrote " << writes.size() << " bytes and read each back (journal entry #"
      << outcome.entry.value_or(0) << ").\n";
  return kDone;
}

}  // namespace opal::cli
