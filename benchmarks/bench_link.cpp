#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "device/eeprom.h"
#include "link/factory.h"
#include "link/virtualport.h"

namespace {

class QuietExit final : public opal::ProgramExit {
 public:
  [[noreturn]] void End(const opal::ExitNotice&) override { std::abort(); }
};

std::filesystem::path FreshDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "opal-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

// A whole EEPROM read is 256 request-reply exchanges: the time a technician waits for the grid.
void FullEepromReadThroughTheVirtualPrinter(benchmark::State& state) {
  const auto dir = FreshDirectory();
  {
    vp::VirtualPrinter printer(dir / "printer");
    opal::SystemClock clock;
    opal::ThreadSleeper sleeper;
    QuietExit exit;
    opal::VirtualPortProvider provider(printer, clock, sleeper);
    opal::TPrinterPort port(provider, clock, exit);
    opal::TFactoryCommand command(port);
    port.Open(3);
    for (auto _ : state) {
      int sum = 0;
      const auto result = opal::ReadEepromRange(command, {0x00, 0xFF},
                                                [&](uint8_t, uint8_t value) { sum += value; });
      if (result != opal::PORT_OK) state.SkipWithError("read failed");
      benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 256);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(FullEepromReadThroughTheVirtualPrinter)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
