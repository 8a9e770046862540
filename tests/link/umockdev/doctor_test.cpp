#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "link/doctor.h"
#include "link/linuxdevices.h"
#include "tests/cli/inprocessopalctl.h"
#include "tests/link/umockdev/usbprinterbed.h"
#include "tests/support/tempdir.h"

namespace opal {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::HasSubstr;

constexpr gid_t kLp = 7;
const Person kAlice{1000, {1000}, "alice"};
const Person kAliceInLp{1000, {1000, kLp}, "alice"};
const Person kRoot{0, {0}, "root"};

// A device that answers the device-ID question with a fixed text.
class Answering final : public PortDevice {
 public:
  explicit Answering(std::string answer) : answer_(std::move(answer)) {}
  long WriteSome(std::span<const uint8_t> bytes) override { return long(bytes.size()); }
  long ReadSome(std::span<uint8_t>) override { return 0; }
  void WaitReady(Readiness, std::chrono::milliseconds) override {}
  std::string DeviceId() override { return answer_; }

 private:
  std::string answer_;
};

class AnsweringProvider final : public PortProvider {
 public:
  explicit AnsweringProvider(std::string answer) : answer_(std::move(answer)) {}
  OpenOutcome Open(PortId) override {
    return {std::make_unique<Answering>(answer_), OpenFailure::None, {}};
  }

 private:
  std::string answer_;
};

// The files the doctor reads, in a tree of the test's own: /etc's passwd and group, the udev
// rule folders, /proc, and /dev for the parallel ports. USB printers come from umockdev.
struct Tree {
  Tree() {
    for (const char* folder : {"etc", "rules", "proc", "dev"}) fs::create_directories(path(folder));
    std::ofstream(path("etc/passwd")) << "root:x:0:0::/root:/bin/sh\n"
                                      << "alice:x:1000:1000::/home/alice:/bin/sh\n";
    SetLpMembers("");
    roots.etc = path("etc");
    roots.rule_folders = {path("rules")};
    roots.proc = path("proc");
  }
  fs::path path(const std::string& relative) const { return temp.path() / relative; }
  void SetLpMembers(const std::string& members) const {
    std::ofstream(path("etc/group")) << "root:x:0:\nlp:x:7:" << members << "\nalice:x:1000:\n";
  }
  // A parallel port's two nodes, root:lp rw-rw----.
  void AddParallelNodes() {
    roots.dev = path("dev");
    for (const char* node : {"lp0", "parport0"}) {
      std::ofstream(path(std::string("dev/") + node)).put('\0');
      ASSERT_EQ(chown(path(std::string("dev/") + node).c_str(), 0, kLp), 0);
      fs::permissions(path(std::string("dev/") + node), fs::perms(0660));
    }
  }
  void InstallRule() const { std::ofstream(path("rules") / kRuleFile) << "# rule\n"; }
  void HoldOpen(const std::string& pid, const std::string& name, const fs::path& node) const {
    fs::create_directories(path("proc/" + pid + "/fd"));
    std::ofstream(path("proc/" + pid + "/comm")) << name << '\n';
    fs::create_symlink(node, path("proc/" + pid + "/fd/3"));
  }
  // Gives `uid` rw on the node as the uaccess rule does; false where the file system keeps no
  // ACLs.
  bool GrantAcl(const fs::path& node, uint32_t uid) const {
    const uint32_t version = 2;
    struct Entry {
      uint16_t tag, perm;
      uint32_t id;
    };
    const Entry entries[] = {
        {0x01, 6, ~0u}, {0x02, 6, uid}, {0x04, 6, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}};
    std::vector<uint8_t> raw(4 + sizeof entries);
    std::memcpy(raw.data(), &version, 4);
    std::memcpy(raw.data() + 4, entries, sizeof entries);
    return setxattr(node.c_str(), "system.posix_acl_access", raw.data(), raw.size(), 0) == 0;
  }

  testing::TempDir temp;
  DoctorRoots roots;
};

const Finding* FindingOf(const std::vector<PortDiagnosis>& ports, std::size_t port,
                         const std::string& check) {
  for (const Finding& finding : ports.at(port).findings) {
    if (finding.check == check) return &finding;
  }
  return nullptr;
}

struct DoctorCase {
  const char* name;
  std::function<void(Tree&)> set_up;
  Person person;
  std::size_t port;  // 0 for LPT1, 3 for VLUSB1:
  const char* check;
  Verdict verdict;
  const char* why;
  const char* fix;  // empty: nothing to do
};

void PrintTo(const DoctorCase& c, std::ostream* out) {
  *out << c.name;
}

class DoctorFindingTest : public ::testing::TestWithParam<DoctorCase> {};

TEST_P(DoctorFindingTest, SaysWhatIsWrongAndWhatToDo) {
  const DoctorCase& c = GetParam();
  Tree tree;
  c.set_up(tree);
  AnsweringProvider provider("MFG:VELTA;MDL:Corvane Opal 310;");
  const std::vector<PortDiagnosis> ports = DiagnosePorts(tree.roots, c.person, provider, 500ms);
  ASSERT_EQ(ports.size(), 6u);
  const Finding* finding = FindingOf(ports, c.port, c.check);
  ASSERT_NE(finding, nullptr) << c.check;
  EXPECT_EQ(finding->verdict, c.verdict) << finding->why;
  EXPECT_THAT(finding->why, HasSubstr(c.why));
  if (std::string(c.fix).empty()) {
    EXPECT_EQ(finding->fix, "");
  } else {
    EXPECT_THAT(finding->fix, HasSubstr(c.fix));
  }
}

const auto kParallel = [](Tree& tree) { tree.AddParallelNodes(); };

INSTANTIATE_TEST_SUITE_P(
    Parallel, DoctorFindingTest,
    ::testing::Values(
        DoctorCase{"missing_node", [](Tree& tree) { tree.roots.dev = tree.path("dev"); }, kAlice, 0,
                   "device node", Verdict::Failure, "/dev/lp0 is missing",
                   "sudo modprobe parport_pc lp ppdev"},
        DoctorCase{"node_present", kParallel, kAlice, 0, "device node", Verdict::Ok,
                   "lp0: root:lp -rw-rw----, no ACL", ""},
        DoctorCase{"rule_not_installed", kParallel, kAlice, 0, "access", Verdict::Failure,
                   "alice may not open", "sudo install -m 644 resources/70-opal-service.rules"},
        DoctorCase{"rule_not_installed_lp_helps", kParallel, kAlice, 0, "access", Verdict::Failure,
                   "the udev rule is not installed",
                   "sudo usermod -aG lp alice, then log in again"},
        DoctorCase{"rule_not_applied",
                   [](Tree& tree) {
                     tree.AddParallelNodes();
                     tree.InstallRule();
                   },
                   kAlice, 0, "access", Verdict::Failure, "installed but not applied",
                   "sudo udevadm trigger"},
        DoctorCase{"lp_since_this_session",
                   [](Tree& tree) {
                     tree.AddParallelNodes();
                     tree.SetLpMembers("alice");
                   },
                   kAlice, 0, "access", Verdict::Failure, "member of lp since",
                   "log out and in again"},
        DoctorCase{"member_of_lp", kParallel, kAliceInLp, 0, "access", Verdict::Ok,
                   "as member of lp", ""},
        DoctorCase{"root", kParallel, kRoot, 0, "access", Verdict::Ok, "lp0 as root", ""},
        DoctorCase{"held_by_another_process",
                   [](Tree& tree) {
                     tree.AddParallelNodes();
                     tree.HoldOpen("4242", "spooler", tree.path("dev/lp0"));
                   },
                   kRoot, 0, "other programs", Verdict::Failure, "held by spooler (pid 4242)",
                   "close it"},
        DoctorCase{"held_by_no_one", kParallel, kAliceInLp, 0, "other programs", Verdict::Ok,
                   "no other process", ""},
        DoctorCase{"answering_printer", kParallel, kAliceInLp, 0, "answer", Verdict::Ok,
                   "Corvane Opal 310 answers (MFG VELTA, MDL Corvane Opal 310)", ""}),
    [](const auto& info) { return info.param.name; });

TEST(DoctorAclTest, AUserTheRuleGaveTheNodeToMayOpenIt) {
  Tree tree;
  tree.AddParallelNodes();
  tree.InstallRule();
  for (const char* node : {"dev/lp0", "dev/parport0"}) {
    if (!tree.GrantAcl(tree.path(node), kAlice.uid))
      GTEST_SKIP() << "no ACLs in the temporary folder";
  }
  AnsweringProvider provider("MFG:VELTA;MDL:Corvane Opal 310;");
  const auto ports = DiagnosePorts(tree.roots, kAlice, provider, 500ms);
  EXPECT_EQ(FindingOf(ports, 0, "access")->verdict, Verdict::Ok);
  EXPECT_THAT(FindingOf(ports, 0, "access")->why, HasSubstr("through its ACL"));
  EXPECT_THAT(FindingOf(ports, 0, "device node")->why, HasSubstr("ACL user alice rw"));
}

// USB printers as umockdev emulates them, asked through the machine's own port provider.
struct UsbCase {
  const char* name;
  bool usblp;
  const char* answer;  // empty: the printer is silent
  const char* check;
  Verdict verdict;
  const char* why;
  bool usable;
};

void PrintTo(const UsbCase& c, std::ostream* out) {
  *out << c.name;
}

class DoctorUsbTest : public ::testing::TestWithParam<UsbCase> {};

TEST_P(DoctorUsbTest, NamesTheDriverAndTheAnswer) {
  const UsbCase& c = GetParam();
  testing::Testbed bed;
  testing::ScriptedUsblpNode node(testing::DeviceIdAnswer(c.answer));
  testing::ScriptedUsbPrinter printer;
  printer.SetDeviceId(c.answer);
  if (c.usblp) bed.Attach("/dev/usb/lp0", node);
  testing::Plug(bed, {.usblp = c.usblp ? "lp0" : ""}, printer);
  Tree tree;
  LinuxPortProvider provider;
  for (const Person& person : {kRoot, kAliceInLp}) {
    SCOPED_TRACE(person.name);
    const auto ports = DiagnosePorts(tree.roots, person, provider, 1500ms);
    const Finding* finding = FindingOf(ports, 3, c.check);
    ASSERT_NE(finding, nullptr);
    EXPECT_EQ(finding->verdict, c.verdict) << finding->why;
    EXPECT_THAT(finding->why, HasSubstr(c.why));
    EXPECT_EQ(ports[3].usable, c.usable);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Usb, DoctorUsbTest,
    ::testing::Values(UsbCase{"usblp_bound", true, testing::kOpal320Id, "driver", Verdict::Ok,
                              "usblp serves", true},
                      UsbCase{"no_driver", false, testing::kOpal320Id, "driver", Verdict::Ok,
                              "reached through libusb", true},
                      UsbCase{"answering", true, testing::kOpal320Id, "answer", Verdict::Ok,
                              "Corvane Opal 320 answers", true},
                      UsbCase{"silent", true, "", "answer", Verdict::Failure, "no device-ID answer",
                              false},
                      UsbCase{"another_model", true, "MFG:OTHER;MDL:Laser 9;", "answer",
                              Verdict::Warning, "another model", false}),
    [](const auto& info) { return info.param.name; });

TEST(OpalctlDoctorTest, OnAMachineWithoutPrintersSaysWhyEachPortIsEmptyAndFails) {
  testing::Testbed bed;
  auto clock = testing::ClockAtToday();
  const auto run = testing::RunOpalctlHere({"doctor"}, clock);
  EXPECT_EQ(run.status, 1) << run.err;
  for (const char* port : {"LPT1 ", "LPT2 ", "LPT3 ", "VLUSB1:", "VLUSB2:", "VLUSB3:"}) {
    EXPECT_THAT(run.out, HasSubstr(std::string(port))) << port;
  }
  EXPECT_THAT(run.out, HasSubstr("LPT1     device node     failure  /dev/lp0 is missing\n"));
  EXPECT_THAT(run.out, HasSubstr("do: plug the printer in and switch it on"));
  EXPECT_THAT(run.out, HasSubstr("journal         ok"));
  EXPECT_THAT(run.out, HasSubstr("No port has a printer the program can use.\n"));
}

TEST(OpalctlDoctorTest, UnderAnEmulatedPrinterNamesItAndSucceeds) {
  testing::Testbed bed;
  testing::ScriptedUsblpNode node(testing::DeviceIdAnswer(testing::kOpal320Id));
  testing::ScriptedUsbPrinter printer;
  bed.Attach("/dev/usb/lp0", node);
  testing::Plug(bed, {.usblp = "lp0"}, printer);
  auto clock = testing::ClockAtToday();
  const auto run = testing::RunOpalctlHere({"doctor"}, clock);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_THAT(run.out, HasSubstr("VLUSB1:  answer          ok       Corvane Opal 320 answers"));
  EXPECT_THAT(run.out, HasSubstr("A printer is ready on VLUSB1:.\n"));
}

}  // namespace
}  // namespace opal
