// Records the traces tests/traces holds: every operation opalctl runs, on a fresh virtual printer
// of each model and with a fault or two, on the clock their replays run on. Run by
// scripts/record-traces; the traces are kept in the tree, so a change in what the program sends
// shows against them.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tests/cli/inprocessopalctl.h"
#include "tests/support/tempdir.h"
#include "tests/support/tracefiles.h"
#include "virtualprinter/virtualprinter.h"

namespace {

struct Session {
  std::string name;
  std::string model;
  std::vector<std::string> args;
  vp::Faults faults{};
};

vp::Faults Silent() {
  vp::Faults faults;
  faults.silent = true;
  return faults;
}

vp::Faults CorruptReplies() {
  vp::Faults faults;
  faults.corrupt_reply = true;
  return faults;
}

vp::Faults ShortReplies() {
  vp::Faults faults;
  faults.short_reply = true;
  return faults;
}

std::vector<Session> Sessions() {
  return {
      {"device-id-320", "320", {"device-id"}},
      {"device-id-310", "310", {"device-id"}},
      {"eeprom-read", "320", {"eeprom", "read", "40", "6F"}},
      {"eeprom-write", "320", {"eeprom", "write", "20", "5A"}},
      {"identity-310", "320", {"identity", "310"}},
      {"head-id-read", "320", {"head-id", "read"}},
      {"head-id-write", "320", {"head-id", "write", "AZBCDEFJKLMNW"}},
      {"usb-id-read", "320", {"usb-id", "read"}},
      {"usb-id-write", "320", {"usb-id", "write", "ABCDE12345"}},
      {"counter-read", "320", {"counter", "read"}},
      {"counter-clear", "320", {"counter", "clear", "--yes"}},
      {"bid-read-310", "310", {"bid", "read"}},
      {"bid-write", "320", {"bid", "write", "ms-black", "5"}},
      {"print-bid", "320", {"print", "bid"}},
      {"print-nozzle-310", "310", {"print", "nozzle"}},
      {"print-pattern", "320", {"print", "pattern", "beta-black"}},
      {"print-chips", "320", {"print", "chips"}},
      {"print-a4-310", "310", {"print", "a4"}},
      {"clean", "320", {"clean"}},
      {"ink-charge", "320", {"ink-charge", "--yes"}},
      {"liquid-exchange", "320", {"liquid-exchange", "--yes"}},
      {"data-reset", "320", {"data-reset"}},
      {"chip-usage", "320", {"chip", "usage", "black"}},
      {"fault-silent-device-id", "320", {"device-id"}, Silent()},
      {"fault-corrupt-bid-read", "320", {"bid", "read"}, CorruptReplies()},
      {"fault-short-counter-read", "310", {"counter", "read"}, ShortReplies()},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: opal_record_traces DIR\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  for (const Session& session : Sessions()) {
    opal::testing::TempDir temp;
    const auto printer = temp.path() / "printer";
    vp::VirtualPrinter(printer, session.model).SetFaults(session.faults);
    const auto trace = temp.path() / "trace";
    std::vector<std::string> args{"--virtual", printer.string(), "--trace", trace.string()};
    args.insert(args.end(), session.args.begin(), session.args.end());
    opal::testing::FakeClock clock = opal::testing::TraceClock();
    const auto run = opal::testing::RunOpalctlHere(args, clock, temp.path() / "journal.sqlite");
    const auto file = folder / (session.name + ".trace.gz");
    opal::testing::WriteCompressed(file, opal::testing::ReadWholeFile(trace));
    std::cout << file.string() << ": exit " << run.status << '\n';
  }
  return 0;
}
