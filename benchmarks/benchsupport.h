#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "link/programexit.h"
#include "link/timing.h"
#include "service/servicesession.h"
#include "virtualport/virtualport.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::bench {

// A benchmark that would end the program has measured nothing worth keeping.
class QuietExit final : public ProgramExit {
 public:
  [[noreturn]] void End(const ExitNotice&) override { std::abort(); }
};

inline std::filesystem::path FreshDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "opal-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

// A factory-fresh virtual printer in a directory of its own, removed afterwards, behind an open
// port on the real clock.
struct VirtualLink {
  VirtualLink() {
    if (session.port.Open(PortId::Vlusb1) != PORT_OK) std::abort();
  }
  ~VirtualLink() {
    session.port.Close();
    std::filesystem::remove_all(dir);
  }

  std::filesystem::path dir = FreshDirectory();
  vp::VirtualPrinter printer{dir / "printer"};
  SystemClock clock;
  ThreadSleeper sleeper;
  QuietExit exit;
  VirtualPortProvider provider{printer, clock, sleeper};
  ServiceSession session{provider, clock, exit};
};

}  // namespace opal::bench
