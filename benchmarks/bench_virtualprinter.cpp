#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "benchmarks/benchsupport.h"
#include "printing/bidcheck.h"
#include "printing/raster.h"
#include "virtualprinter/statefolder.h"
#include "virtualprinter/streamrender.h"

namespace {

void PrintBidCheck(opal::bench::VirtualLink& link) {
  if (opal::PrintBidCheckPage(link.session.modules.raster, link.session.command, 0,
                              [](opal::StatusMode, std::string_view) {}) != opal::PORT_OK) {
    std::abort();
  }
  if (!link.printer.WaitForPages().empty()) std::abort();
}

// What the program sends for the Bi-D check print (about 1.19 MB), as the printer took it in.
const std::vector<uint8_t>& BidCheckStream() {
  static const std::vector<uint8_t> stream = [] {
    opal::bench::VirtualLink link;
    PrintBidCheck(link);
    return vp::StateFolder(link.printer.Directory()).Read("capture.prn", 1u << 26);
  }();
  return stream;
}

// The page language alone: the stream split and interpreted and the sheet drawn, nothing encoded.
void InterpretBidCheckStream(benchmark::State& state) {
  const std::vector<uint8_t>& stream = BidCheckStream();
  for (auto _ : state) {
    int pages = 0;
    vp::StreamPrinter printer([&pages](const vp::PrintedSheet&) { ++pages; });
    printer.Print(stream);
    if (pages != 1) state.SkipWithError("not one page");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(stream.size()));
}
BENCHMARK(InterpretBidCheckStream)->Unit(benchmark::kMillisecond);

void EncodeBidCheckPage(benchmark::State& state) {
  std::optional<vp::PrintedSheet> sheet;
  vp::StreamPrinter printer([&sheet](vp::PrintedSheet printed) { sheet = std::move(printed); });
  printer.Print(BidCheckStream());
  for (auto _ : state) {
    benchmark::DoNotOptimize(sheet->EncodePng());
  }
}
BENCHMARK(EncodeBidCheckPage)->Unit(benchmark::kMillisecond);

// `print bid` less the process around it: the values read, the page and its trials sent, the
// values restored and the page kept as a PNG file.
void PrintBidCheckThroughTheVirtualPrinter(benchmark::State& state) {
  opal::bench::VirtualLink link;
  for (auto _ : state) PrintBidCheck(link);
}
BENCHMARK(PrintBidCheckThroughTheVirtualPrinter)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
