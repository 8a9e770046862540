#include <benchmark/benchmark.h>

#include "benchmarks/benchsupport.h"
#include "device/eeprom.h"
#include "link/factory.h"

namespace {

// A whole EEPROM read is 256 request-reply exchanges: the time a technician waits for the grid.
void FullEepromReadThroughTheVirtualPrinter(benchmark::State& state) {
  opal::bench::VirtualLink link;
  for (auto _ : state) {
    int sum = 0;
    const auto result = opal::ReadEepromRange(link.command, {0x00, 0xFF},
                                              [&](uint8_t, uint8_t value) { sum += value; });
    if (result != opal::PORT_OK) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(FullEepromReadThroughTheVirtualPrinter)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
