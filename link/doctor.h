#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "link/portdevice.h"

namespace opal {

enum class Verdict { Ok, Warning, Failure };

// One check: what it looked at, the verdict, why in one line and what to do in one line (a
// command where one helps; empty when nothing needs doing).
struct Finding {
  std::string check;
  Verdict verdict = Verdict::Ok;
  std::string why;
  std::string fix;
};

struct PortDiagnosis {
  std::string port;  // "LPT1" .. "VLUSB3:"
  std::vector<Finding> findings;
  // The printer answered and names a model the program serves.
  bool usable = false;
};

// Where the doctor looks; tests point it at trees of their own.
struct DoctorRoots {
  std::filesystem::path dev = "/dev";
  std::filesystem::path sys = "/sys";
  std::filesystem::path proc = "/proc";
  std::filesystem::path etc = "/etc";
  std::vector<std::filesystem::path> rule_folders{"/etc/udev/rules.d", "/lib/udev/rules.d",
                                                  "/usr/lib/udev/rules.d"};
};

// Who runs the program: what a node's owner, mode and ACL are weighed against.
struct Person {
  uid_t uid = 0;
  std::vector<gid_t> groups;
  std::string name;
};
Person CurrentPerson();

inline constexpr const char* kRuleFile = "70-opal-service.rules";

// For each of the six ports: its device node (present, whose, mode, ACL), whether `person` may
// open it (the uaccess rule installed and applied, or group lp), the driver that serves a USB
// printer, another process that holds the node, and the printer's device-ID answer through
// `provider` with the model it names.
std::vector<PortDiagnosis> DiagnosePorts(const DoctorRoots& roots, const Person& person,
                                         PortProvider& provider,
                                         std::chrono::milliseconds answer_limit);

// Whether the service journal's folder can be written (or made) by this program.
Finding CheckJournalFolder(const std::filesystem::path& journal_file);

std::string_view VerdictName(Verdict verdict);

// The findings as a technician reads them, one line each with what to do under it, and a last
// line that says whether a port has a printer the program serves.
std::string DiagnosisReport(const std::vector<PortDiagnosis>& ports,
                            const std::vector<Finding>& general);
bool AnyUsable(const std::vector<PortDiagnosis>& ports);

}  // namespace opal
