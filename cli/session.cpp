#include "cli/session.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/interrupt.h"
#include "device/datamanu.h"
#include "service/changewords.h"

namespace opal::cli {
namespace {

PortId PortFor(const Target& target) {
  // Every port name reaches the virtual printer; the first USB port is the one it stands on.
  if (target.printer.virtual_dir) return PortId::Vlusb1;
  const auto port = PortNamed(ToUpperAscii(target.port.value_or("")));
  if (!port) throw ProgramEnd("Unknown port \"" + *target.port + "\".", kUsage);
  return *port;
}

// A virtual printer is known by its folder; a real one by the port it stands on.
std::string PrinterKey(const Target& target, PortId port) {
  if (target.printer.virtual_dir) return VirtualPrinterPlace(*target.printer.virtual_dir);
  return std::string(PortEntryOf(port).name);
}

}  // namespace

void TerminalExit::End(const ExitNotice& notice) {
  throw ProgramEnd(notice.text, kNoAnswer);
}

Opalctl::Opalctl(const Target& target, Clock& clock, Sleeper& sleeper, Console& console)
    : clock(clock),
      sleeper(sleeper),
      console(console),
      port_id(PortFor(target)),
      ports(target.printer, clock, sleeper),
      session(ports.Provider(), clock, exit),
      printer_key(PrinterKey(target, port_id)),
      journal_store(ports.JournalFile(target.journal_file)) {
  session.port.SetIdle([this] { StopIfAsked(); });
}

int Opalctl::Ended(int status) {
  port.Close();
  const std::string told = ports.End(status);
  if (told.empty()) return status;
  console.err << told << '\n';
  return ports.Replay() != nullptr ? kFailed : status;
}

void Opalctl::StopIfAsked() {
  // Between the frames of a stream, or while an operation's entry is open, the printer or the
  // journal would be left half-way: the stop waits for the next wait outside them.
  if (StopAsked() && !port.InSend() && !(journal && journal->Writing())) throw StopRequested{};
}

int Opalctl::Stopped() {
  console.err << "\nStopped at Ctrl+C.\n";
  if (journal) {
    journal->EndOperation();
    const std::string left = LeftBehindLine(journal->LeftBehind());
    if (!left.empty()) {
      console.err << left << " \"opalctl journal rollback " << journal->CurrentEntry().value_or(0)
                  << "\" puts back what was there before.\n";
    }
  }
  port.Close();
  return kStopped;
}

std::string Opalctl::Connect() {
  const OpenedPrinter connection = operations.OpenPrinter(port_id);
  if (connection.result == ERR_PORT_BUSY) {
    throw ProgramEnd(ResultMessage(ERR_PORT_BUSY), kFailed);
  } else if (connection.result != PORT_OK) {
    NoAnswer(connection.problem);
  }
  const std::string& answer = connection.answer;
  // The printer answered, so a start sequence it does not take is a failed transfer like any
  // other, not a printer that is off.
  if (const Result sent = operations.StartServiceProtocol(); sent != PORT_OK) {
    port.Close();
    throw ProgramEnd(command.Message(sent), kFailed);
  }
  journal.emplace(journal_store, session, clock,
                  JournalPrinter{printer_key, ModelName(ModelNamedIn(answer)), "", ""});
  if (console.err_is_terminal) {
    journal->SetSnapshotProgress([this](std::size_t read, std::size_t total) {
      console.err << "\rKeeping a snapshot of the printer's EEPROM for the service journal: "
                  << read << " of " << total << " bytes" << (read == total ? "\n" : "")
                  << std::flush;
    });
  }
  journal->SetEndProblemReport(
      [this](const std::string& problem) { console.err << problem << '\n'; });
  std::vector<InterruptedWork> interrupted;
  if (const Result checked = journal->FindInterrupted(interrupted); checked != PORT_OK) {
    port.Close();
    throw ProgramEnd(UncheckedJournalLine(command.Message(checked)), kFailed);
  }
  for (const InterruptedWork& work : interrupted) {
    console.err << InterruptedLine(work) << " See \"opalctl journal show " << work.entry.id
                << "\"; \"opalctl journal resume " << work.entry.id << "\" finishes it, \"opalctl "
                << "journal rollback " << work.entry.id << "\" puts the old values back.\n";
  }
  return answer;
}

std::string Opalctl::DeviceIdAnswer() {
  std::string answer = operations.AskDeviceId();
  if (answer.empty()) NoAnswer({});
  return answer;
}

void Opalctl::NoAnswer(const std::string& problem) {
  std::string text = "Printer is error or power off status.";
  if (!problem.empty()) text += "\n" + problem;
  port.Close();
  throw ProgramEnd(text, kNoAnswer);
}

int Opalctl::Failed(Result code) {
  return Said(code, command.Message(code));
}

int Opalctl::Said(Result code, const std::string& message) {
  console.err << (message.empty() ? "Failed with code " + std::to_string(Code(code)) : message)
              << '\n';
  if (code == ERR_JOURNAL) console.err << journal_store.Problem() << '\n';
  return kFailed;
}

bool Opalctl::Refused(const std::string& why) {
  console.err << why << '\n';
  return false;
}

int Opalctl::Failed(const Outcome& outcome, bool reported) {
  if (!reported) Said(outcome.result, outcome.message);
  const std::string left = LeftBehindLine(outcome.left_behind);
  if (!left.empty()) {
    console.err << left << " \"opalctl journal rollback " << outcome.entry.value_or(0)
                << "\" puts back what was there before.\n";
  }
  return kFailed;
}

void Runs(CLI::App* command, Action& chosen, Action action) {
  command->callback([&chosen, action = std::move(action)] { chosen = action; });
}

}  // namespace opal::cli
