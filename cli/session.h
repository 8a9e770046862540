#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

#include "link/timing.h"
#include "service/journalstore.h"
#include "service/printeridentity.h"
#include "service/servicejournal.h"
#include "service/servicesession.h"
#include "virtualport/printerports.h"

namespace CLI {
class App;
}

namespace opal::cli {

enum ExitStatus : int { kDone = 0, kFailed = 1, kUsage = 2, kNoAnswer = 3, kStopped = 130 };

// Thrown where the program would end on its own; the run turns it into the exit status.
struct ProgramEnd : std::runtime_error {
  ProgramEnd(const std::string& text, int status) : std::runtime_error(text), status(status) {}
  int status;
};

class TerminalExit final : public ProgramExit {
 public:
  [[noreturn]] void End(const ExitNotice& notice) override;
};

// Where a run reads answers and writes its lines. Questions are asked and waits counted down only
// where a person is there to see them.
struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool in_is_terminal = false;
  bool out_is_terminal = false;
  bool err_is_terminal = false;
};

struct Target {
  std::optional<std::string> port;
  PrinterPlace printer;
  // The service journal this run keeps and reads.
  std::filesystem::path journal_file;
};

// The module objects of one opalctl run, created once and handed on by reference. Time comes
// from the caller, so a run on a virtual printer can be driven by a clock that only moves when
// told.
struct Opalctl {
  Opalctl(const Target& target, Clock& clock, Sleeper& sleeper, Console& console);

  // Opens the port, checks that the printer answers and switches it into its service protocol;
  // throws ProgramEnd when any of it fails. Then starts the journal of `operation` and reports
  // unfinished work on this printer. Returns the device-ID text the printer answered with.
  std::string Connect();
  // The printer's device-ID text; throws ProgramEnd with the status for a printer that does not
  // answer.
  std::string DeviceIdAnswer();
  // Closes the port and throws ProgramEnd for a printer that does not answer, with why the port
  // could not be reached when that is known.
  [[noreturn]] void NoAnswer(const std::string& problem);
  // Prints what the technician reads for the code on standard error; gives the failure status.
  int Failed(Result code);
  // After Ctrl+C, at a safe point: throws StopRequested.
  void StopIfAsked();
  // Ends the run that stopped: what the operation under way left, the port closed.
  int Stopped();
  // Closes the port and ends the trace with the run's status; a replay that differs says where
  // and fails the run. Returns the status to exit with.
  int Ended(int status);
  // Says the failure's message, or its code when it has none.
  int Said(Result code, const std::string& message);
  // Whether the entry or snapshot was made on the connected printer; if not, says "`what`
  // another printer" and what tells them apart.
  template <typename Record>
  bool OfThisPrinter(const std::string& what, const Record& record) {
    std::string difference;
    if (const Result read = journal->Recognise(record, difference); read != PORT_OK) {
      Failed(read);
      return false;
    }
    return difference.empty() || Refused(AnotherPrinterLine(what, difference));
  }
  // Says why and returns false.
  bool Refused(const std::string& why);
  // As Failed for the outcome's code (unless the operation `reported` it on its status lines),
  // then what it left other than it meant and how to put it back.
  int Failed(const Outcome& outcome, bool reported = false);

  Clock& clock;
  Sleeper& sleeper;
  Console& console;
  TerminalExit exit;
  PortId port_id;
  PrinterPorts ports;
  ServiceSession session;
  TPrinterPort& port = session.port;
  TFactoryCommand& command = session.command;
  ServiceOperations& operations = session.operations;
  std::string printer_key;
  JournalStore journal_store;
  std::optional<ServiceJournal> journal;
};

using Action = std::function<int(Opalctl&)>;
// A command that needs no printer session: it runs once the line is parsed, instead of opening
// the port.
using SessionlessAction = std::function<int(const Target&, Console&)>;

// Lets a command line choice run `action` once the whole line has been parsed.
void Runs(CLI::App* command, Action& chosen, Action action);

}  // namespace opal::cli
