#include "cli/doctorcommand.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/bundle.h"
#include "link/doctor.h"
#include "link/linuxdevices.h"
#include "link/printerdriver.h"

namespace opal::cli {
namespace {

int Diagnose(const Target& target, Console& console, const std::filesystem::path& bundle) {
  LinuxPortProvider provider;
  const std::vector<PortDiagnosis> ports =
      DiagnosePorts(DoctorRoots{}, CurrentPerson(), provider, PortLimits{}.device_id);
  const std::string report = DiagnosisReport(ports, {CheckJournalFolder(target.journal_file)});
  console.out << report;
  if (!bundle.empty()) {
    if (const auto problem = WriteBundle(bundle, report, target.journal_file)) {
      console.err << *problem << '\n';
      return kFailed;
    }
    console.out << "Support bundle written to " << bundle.string()
                << ": attach it to your report.\n";
  }
  return AnyUsable(ports) ? kDone : kFailed;
}

}  // namespace

void AddDoctorCommand(CLI::App& app, SessionlessAction& chosen) {
  auto* command = app.add_subcommand(
      "doctor",
      "Check each port, the access to it and the journal; say what to do (exit 0 "
      "when a printer is usable)");
  const auto bundle = std::make_shared<std::filesystem::path>();
  command
      ->add_option("--bundle", *bundle,
                   "Also write the findings, versions, system, last traces and journal "
                   "entries (serials masked) into FILE.tar.gz")
      ->type_name("FILE");
  command->callback([&chosen, bundle] {
    chosen = [bundle](const Target& target, Console& console) {
      return Diagnose(target, console, *bundle);
    };
  });
}

}  // namespace opal::cli
