#include "link/doctor.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <system_error>

#include "link/models.h"
#include "link/portsurvey.h"
#include "link/usbdiscovery.h"

namespace opal {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLpGroup = "lp";
constexpr uint16_t kAclUser = 0x02;
constexpr uint16_t kAclGroup = 0x08;
constexpr uint16_t kAclMask = 0x10;
constexpr uint16_t kReadWrite = 0x06;

// Names from /etc/passwd or /etc/group: id → name, and a group's listed members.
struct Names {
  std::map<unsigned, std::string> names;
  std::map<std::string, std::vector<std::string>> members;
  std::map<std::string, unsigned> ids;

  std::string Of(unsigned id) const {
    const auto found = names.find(id);
    return found == names.end() ? std::to_string(id) : found->second;
  }
};

Names ReadNames(const fs::path& file) {
  Names read;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, ':');) fields.push_back(field);
    if (fields.size() < 3) continue;
    unsigned id = 0;
    try {
      id = static_cast<unsigned>(std::stoul(fields[2]));
    } catch (const std::exception&) {
      continue;
    }
    read.names.emplace(id, fields[0]);
    read.ids.emplace(fields[0], id);
    if (fields.size() >= 4) {
      std::stringstream list(fields[3]);
      for (std::string member; std::getline(list, member, ',');) {
        read.members[fields[0]].push_back(member);
      }
    }
  }
  return read;
}

struct AclEntry {
  uint16_t tag;
  uint16_t perm;
  uint32_t id;
};

// The POSIX ACL of a node as the kernel keeps it in an extended attribute.
std::vector<AclEntry> AclOf(const fs::path& node) {
  std::array<uint8_t, 1024> raw{};
  const ssize_t size = getxattr(node.c_str(), "system.posix_acl_access", raw.data(), raw.size());
  std::vector<AclEntry> entries;
  constexpr std::size_t kHeader = 4;
  constexpr std::size_t kEntry = 8;
  if (size < static_cast<ssize_t>(kHeader)) return entries;
  for (std::size_t at = kHeader; at + kEntry <= static_cast<std::size_t>(size); at += kEntry) {
    AclEntry entry{};
    std::memcpy(&entry.tag, raw.data() + at, 2);
    std::memcpy(&entry.perm, raw.data() + at + 2, 2);
    std::memcpy(&entry.id, raw.data() + at + 4, 4);
    entries.push_back(entry);
  }
  return entries;
}

struct NodeFacts {
  fs::path path;
  bool exists = false;
  struct stat status {};
  std::vector<AclEntry> acl;
};

NodeFacts Inspect(const fs::path& node) {
  NodeFacts facts;
  facts.path = node;
  facts.exists = stat(node.c_str(), &facts.status) == 0;
  if (facts.exists) facts.acl = AclOf(node);
  return facts;
}

std::string ModeText(mode_t mode) {
  std::string text = S_ISCHR(mode) ? "c" : S_ISDIR(mode) ? "d" : "-";
  constexpr std::string_view kLetters = "rwxrwxrwx";
  for (int bit = 0; bit < 9; ++bit) {
    text += (mode & (0400 >> bit)) != 0 ? kLetters[bit] : '-';
  }
  return text;
}

std::string AclText(const NodeFacts& facts, const Names& users, const Names& groups) {
  std::string text;
  for (const AclEntry& entry : facts.acl) {
    if (entry.tag != kAclUser && entry.tag != kAclGroup) continue;
    text += text.empty() ? "" : ", ";
    text += entry.tag == kAclUser ? "user " + users.Of(entry.id) : "group " + groups.Of(entry.id);
    text += (entry.perm & 4) != 0 ? " r" : " -";
    text += (entry.perm & 2) != 0 ? "w" : "-";
  }
  return text.empty() ? "no ACL" : "ACL " + text;
}

enum class Way { Root, Owner, Acl, Group, Everyone, None };

bool InGroup(const Person& person, gid_t group) {
  return std::find(person.groups.begin(), person.groups.end(), group) != person.groups.end();
}

Way AccessOf(const Person& person, const NodeFacts& facts) {
  if (person.uid == 0) return Way::Root;
  const mode_t mode = facts.status.st_mode;
  if (facts.status.st_uid == person.uid) return (mode & 0600) == 0600 ? Way::Owner : Way::None;
  uint16_t mask = 0x07;
  for (const AclEntry& entry : facts.acl) {
    if (entry.tag == kAclMask) mask = entry.perm;
  }
  for (const AclEntry& entry : facts.acl) {
    if (entry.tag == kAclUser && entry.id == person.uid) {
      return (entry.perm & mask & kReadWrite) == kReadWrite ? Way::Acl : Way::None;
    }
  }
  for (const AclEntry& entry : facts.acl) {
    if (entry.tag == kAclGroup && InGroup(person, entry.id) &&
        (entry.perm & mask & kReadWrite) == kReadWrite) {
      return Way::Acl;
    }
  }
  if (InGroup(person, facts.status.st_gid)) {
    return (mode & 0060) == 0060 ? Way::Group : Way::None;
  }
  return (mode & 0006) == 0006 ? Way::Everyone : Way::None;
}

bool HasUserAcl(const NodeFacts& facts, uid_t uid) {
  return std::any_of(facts.acl.begin(), facts.acl.end(), [uid](const AclEntry& entry) {
    return entry.tag == kAclUser && entry.id == uid;
  });
}

// "cupsd (pid 812)" for each other process with the node open.
std::vector<std::string> HoldersOf(const fs::path& proc, const fs::path& node) {
  std::vector<std::string> holders;
  std::error_code error;
  const std::string own = std::to_string(getpid());
  for (const auto& process : fs::directory_iterator(proc, error)) {
    const std::string pid = process.path().filename().string();
    if (pid.empty() ||
        !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        pid == own)
      continue;
    std::error_code unreadable;
    for (const auto& fd : fs::directory_iterator(process.path() / "fd", unreadable)) {
      std::error_code gone;
      if (fs::read_symlink(fd.path(), gone) != node) continue;
      std::ifstream comm(process.path() / "comm");
      std::string name;
      std::getline(comm, name);
      holders.push_back((name.empty() ? "a process" : name) + " (pid " + pid + ")");
      break;
    }
  }
  std::sort(holders.begin(), holders.end());
  return holders;
}

bool RuleInstalled(const DoctorRoots& roots) {
  return std::any_of(roots.rule_folders.begin(), roots.rule_folders.end(),
                     [](const fs::path& folder) {
                       std::error_code error;
                       return fs::exists(folder / kRuleFile, error);
                     });
}

struct Context {
  const DoctorRoots& roots;
  const Person& person;
  Names users;
  Names groups;
};

Finding NodeFinding(const Context& context, const NodeFacts& facts) {
  if (!facts.exists)
    return {"device node", Verdict::Failure, facts.path.string() + " is missing", ""};
  return {"device node", Verdict::Ok,
          facts.path.string() + ": " + context.users.Of(facts.status.st_uid) + ":" +
              context.groups.Of(facts.status.st_gid) + " " + ModeText(facts.status.st_mode) + ", " +
              AclText(facts, context.users, context.groups),
          ""};
}

std::string GroupAdvice(const Context& context) {
  return "sudo usermod -aG lp " + (context.person.name.empty() ? "$USER" : context.person.name) +
         ", then log in again";
}

std::string RuleAdvice() {
  return std::string("sudo install -m 644 resources/") + kRuleFile +
         " /etc/udev/rules.d/ && sudo udevadm control --reload && sudo udevadm trigger";
}

Finding AccessFinding(const Context& context, const std::vector<NodeFacts>& nodes,
                      bool lp_group_helps) {
  std::string ways;
  for (const NodeFacts& facts : nodes) {
    const Way way = AccessOf(context.person, facts);
    if (way == Way::None) {
      const bool installed = RuleInstalled(context.roots);
      const auto lp = context.groups.ids.find(std::string(kLpGroup));
      const auto listed = context.groups.members.find(std::string(kLpGroup));
      const bool listed_in_lp = listed != context.groups.members.end() &&
                                std::find(listed->second.begin(), listed->second.end(),
                                          context.person.name) != listed->second.end();
      std::string why = context.person.name + " may not open " + facts.path.string();
      std::string fix;
      if (lp_group_helps && listed_in_lp && lp != context.groups.ids.end() &&
          !InGroup(context.person, lp->second)) {
        why += ": member of lp since this session began";
        fix = "log out and in again";
      } else if (!installed) {
        why += ": the udev rule is not installed";
        fix = RuleAdvice();
        if (lp_group_helps) fix += "; or " + GroupAdvice(context);
      } else if (!HasUserAcl(facts, context.person.uid)) {
        why += ": the udev rule is installed but not applied to this node";
        fix =
            "sudo udevadm trigger, or plug the printer in again (the rule gives access only "
            "to the user at the seat)";
      } else {
        why += ": its ACL does not allow reading and writing";
        fix = lp_group_helps ? GroupAdvice(context) : RuleAdvice();
      }
      return {"access", Verdict::Failure, why, fix};
    }
    ways += ways.empty() ? "" : "; ";
    ways += facts.path.filename().string();
    switch (way) {
      case Way::Root:
        ways += " as root";
        break;
      case Way::Owner:
        ways += " as its owner";
        break;
      case Way::Acl:
        ways += " through its ACL (the uaccess rule applied)";
        break;
      case Way::Group:
        ways += " as member of " + context.groups.Of(facts.status.st_gid);
        break;
      case Way::Everyone:
      case Way::None:
        ways += " as anyone may";
        break;
    }
  }
  return {"access", Verdict::Ok, context.person.name + " may open " + ways, ""};
}

Finding HolderFinding(const Context& context, const NodeFacts& facts) {
  const std::vector<std::string> holders = HoldersOf(context.roots.proc, facts.path);
  if (holders.empty()) return {"other programs", Verdict::Ok, "no other process holds it", ""};
  std::string names;
  for (const std::string& holder : holders) names += (names.empty() ? "" : ", ") + holder;
  return {"other programs", Verdict::Failure, facts.path.string() + " is held by " + names,
          "close it while you work; a print service's queue can be paused instead of it"};
}

Finding AnswerFinding(const PortReport& report) {
  if (report.device_id.empty()) {
    return {"answer", Verdict::Failure, "no device-ID answer: " + report.problem,
            "switch the printer on, check the cable, and wait until it is ready"};
  }
  const PrinterModel model = ModelNamedIn(report.device_id);
  const std::string text = "MFG " + DeviceIdValue(report.device_id, {"MFG", "MANUFACTURER"}) +
                           ", MDL " + DeviceIdValue(report.device_id, {"MDL", "MODEL"});
  if (model == PrinterModel::None) {
    return {"answer", Verdict::Warning, "a printer of another model answers (" + text + ")",
            "connect a Corvane Opal 310 or 320"};
  }
  return {"answer", Verdict::Ok, std::string(ModelName(model)) + " answers (" + text + ")", ""};
}

PortDiagnosis DiagnoseParallel(const Context& context, const PortEntry& port,
                               const PortReport& report) {
  PortDiagnosis diagnosis{std::string(port.name), {}, false};
  const std::string number = std::to_string(port.number);
  const NodeFacts lp = Inspect(context.roots.dev / ("lp" + number));
  diagnosis.findings.push_back(NodeFinding(context, lp));
  if (!lp.exists) {
    diagnosis.findings.back().fix =
        "sudo modprobe parport_pc lp ppdev (a machine without a parallel port has none)";
    return diagnosis;
  }
  const NodeFacts parport = Inspect(context.roots.dev / ("parport" + number));
  std::vector<NodeFacts> nodes{lp};
  if (parport.exists) nodes.push_back(parport);
  diagnosis.findings.push_back(AccessFinding(context, nodes, true));
  diagnosis.findings.push_back(HolderFinding(context, lp));
  diagnosis.findings.push_back(AnswerFinding(report));
  diagnosis.usable = diagnosis.findings.back().verdict == Verdict::Ok;
  return diagnosis;
}

PortDiagnosis DiagnoseUsb(const Context& context, const PortEntry& port,
                          const std::vector<UsbPrinter>& printers, const PortReport& report) {
  PortDiagnosis diagnosis{std::string(port.name), {}, false};
  if (port.number >= printers.size()) {
    diagnosis.findings.push_back(
        {"device node", Verdict::Failure,
         "no USB printer at this place: " + std::to_string(printers.size()) +
             " USB printer(s) connected",
         port.number == 0 ? "plug the printer in and switch it on; lsusb should list it"
                          : "plug in one more USB printer; those connected stand on the ports "
                            "before this one"});
    return diagnosis;
  }
  const UsbPrinter& printer = printers[port.number];
  const bool usblp =
      !printer.usblp.empty() && fs::exists(context.roots.dev / "usb" / printer.usblp);
  const NodeFacts node = Inspect(usblp ? context.roots.dev / "usb" / printer.usblp
                                       : printer.UsbfsNode(context.roots.dev));
  diagnosis.findings.push_back(NodeFinding(context, node));
  diagnosis.findings.push_back({"driver", Verdict::Ok,
                                usblp ? "usblp serves " + DescribeUsbPrinter(printer)
                                      : "no driver gives it a node: reached through libusb (" +
                                            DescribeUsbPrinter(printer) + ")",
                                ""});
  if (!node.exists) return diagnosis;
  diagnosis.findings.push_back(AccessFinding(context, {node}, usblp));
  diagnosis.findings.push_back(HolderFinding(context, node));
  diagnosis.findings.push_back(AnswerFinding(report));
  diagnosis.usable = diagnosis.findings.back().verdict == Verdict::Ok;
  return diagnosis;
}

}  // namespace

Person CurrentPerson() {
  Person person;
  person.uid = getuid();
  const int count = getgroups(0, nullptr);
  person.groups.resize(static_cast<std::size_t>(std::max(count, 0)));
  if (count > 0) getgroups(count, person.groups.data());
  person.groups.push_back(getgid());
  const passwd* entry = getpwuid(person.uid);
  person.name = entry != nullptr ? entry->pw_name : std::to_string(person.uid);
  return person;
}

std::vector<PortDiagnosis> DiagnosePorts(const DoctorRoots& roots, const Person& person,
                                         PortProvider& provider,
                                         std::chrono::milliseconds answer_limit) {
  Context context{roots, person, ReadNames(roots.etc / "passwd"), ReadNames(roots.etc / "group")};
  const std::vector<UsbPrinter> printers = FindUsbPrinters(roots.sys);
  const std::vector<PortReport> reports = SurveyPorts(provider, printers, answer_limit);
  std::vector<PortDiagnosis> diagnoses;
  for (std::size_t k = 0; k < kPorts.size(); ++k) {
    const PortEntry& port = kPorts[k];
    diagnoses.push_back(port.kind == PortKind::Parallel
                            ? DiagnoseParallel(context, port, reports[k])
                            : DiagnoseUsb(context, port, printers, reports[k]));
  }
  return diagnoses;
}

Finding CheckJournalFolder(const fs::path& journal_file) {
  fs::path folder = journal_file.parent_path();
  // A folder not made yet is made by the first write, where its nearest parent allows.
  fs::path existing = folder;
  std::error_code error;
  while (!existing.empty() && !fs::exists(existing, error) && existing != existing.parent_path()) {
    existing = existing.parent_path();
  }
  if (access(existing.c_str(), W_OK | X_OK) == 0) {
    return {"journal", Verdict::Ok, folder.string() + " can be written", ""};
  }
  return {"journal", Verdict::Failure,
          existing.string() + " cannot be written: " + std::generic_category().message(errno),
          "sudo chown -R $USER " + existing.string()};
}

namespace {

// A device-ID text or a process name may hold anything: nothing of it may steer a terminal.
std::string Printable(std::string text) {
  std::replace_if(
      text.begin(), text.end(),
      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
  return text;
}

std::string FindingLines(const std::string& subject, const Finding& finding) {
  std::string line = subject;
  line.resize(9, ' ');
  line += finding.check;
  line.resize(25, ' ');
  line += std::string(VerdictName(finding.verdict));
  line.resize(34, ' ');
  line += Printable(finding.why) + '\n';
  if (!finding.fix.empty()) line += std::string(34, ' ') + "do: " + finding.fix + '\n';
  return line;
}

}  // namespace

std::string DiagnosisReport(const std::vector<PortDiagnosis>& ports,
                            const std::vector<Finding>& general) {
  std::string report;
  for (const PortDiagnosis& port : ports) {
    for (const Finding& finding : port.findings) report += FindingLines(port.port, finding);
  }
  for (const Finding& finding : general) report += FindingLines("", finding);
  const auto usable = std::find_if(ports.begin(), ports.end(),
                                   [](const PortDiagnosis& port) { return port.usable; });
  if (usable == ports.end()) return report + "No port has a printer the program can use.\n";
  return report + "A printer is ready on " + usable->port + ".\n";
}

bool AnyUsable(const std::vector<PortDiagnosis>& ports) {
  return std::any_of(ports.begin(), ports.end(),
                     [](const PortDiagnosis& port) { return port.usable; });
}

std::string_view VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Ok:
      return "ok";
    case Verdict::Warning:
      return "warning";
    case Verdict::Failure:
      return "failure";
  }
  return "failure";
}

}  // namespace opal
