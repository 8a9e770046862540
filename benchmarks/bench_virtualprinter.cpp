#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "benchmarks/benchsupport.h"
#include "printing/bidcheck.h"
#include "printing/raster.h"
#include "virtualprinter/inputstream.h"
#include "virtualprinter/pageinterpreter.h"
#include "virtualprinter/statefolder.h"

namespace {

// The page language alone: the stream split and interpreted, the sheet drawn, nothing encoded.
class Interpreter final : vp::StreamListener, vp::PrintMechanism {
 public:
  void Print(std::span<const uint8_t> bytes) { stream_.Feed(bytes); }
  std::optional<vp::PrintedSheet> sheet;

 private:
  void OnStartSequence() override {}
  void OnServiceFrame(std::span<const uint8_t>) override {}
  void OnBrokenFrame() override {}
  void OnPageByte(uint8_t byte) override { page_.Take(byte); }
  bool InsidePageCommand() const override { return page_.InsideCommand(); }
  int ReturnPassOffset(uint8_t, bool) const override { return 1; }
  void Eject(vp::PageCanvas& page) override { sheet = page.TakeSheet(); }

  vp::InputStream stream_{*this};
  vp::PageInterpreter page_{*this};
};

void PrintBidCheck(opal::bench::VirtualLink& link) {
  opal::TRasterPrinter raster(link.port, link.exit);
  if (opal::PrintBidCheckPage(raster, link.command, 0, [](opal::StatusMode, std::string_view) {}) !=
      opal::PORT_OK) {
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

void InterpretBidCheckStream(benchmark::State& state) {
  const std::vector<uint8_t>& stream = BidCheckStream();
  for (auto _ : state) {
    Interpreter printer;
    printer.Print(stream);
    if (!printer.sheet) state.SkipWithError("no page");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(stream.size()));
}
BENCHMARK(InterpretBidCheckStream)->Unit(benchmark::kMillisecond);

void EncodeBidCheckPage(benchmark::State& state) {
  Interpreter printer;
  printer.Print(BidCheckStream());
  for (auto _ : state) {
    benchmark::DoNotOptimize(printer.sheet->EncodePng());
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
