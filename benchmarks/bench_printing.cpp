#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <utility>

#include "benchmarks/benchsupport.h"
#include "link/factory.h"
#include "printing/a4check.h"
#include "printing/bidcheck.h"
#include "printing/patterns.h"
#include "printing/raster.h"

namespace {

struct Traffic {
  double writes = 0;
  double bytes = 0;
  double run_writes = 0;  // writes that carry collected runs
  double runs = 0;
};

// Takes every byte at once, counts what it takes, keeps the EEPROM bytes it is set to (5 to begin
// with), as the Bi-D trials read back what they set, and answers each chip read with the byte of a
// good cartridge's chip.
class NullDevice final : public opal::PortDevice {
 public:
  explicit NullDevice(Traffic& traffic) : traffic_(traffic) {}
  long WriteSome(std::span<const uint8_t> bytes) override {
    ++traffic_.writes;
    traffic_.bytes += static_cast<double>(bytes.size());
    // Text and commands start with a printable character or a control; run data with a header.
    if (bytes[0] == 0x00 || bytes[0] >= 0x80) {
      ++traffic_.run_writes;
      traffic_.runs += static_cast<double>(bytes.size() / 2);
    }
    const bool frame = bytes.size() >= 11 && bytes[0] == 0x1B && bytes[1] == 0x7C;
    if (frame) Keep(bytes);
    const bool chip_read = frame && bytes.size() == 12 && bytes[7] == 0x61;
    const uint8_t value = chip_read ? ChipByte(bytes[11]) : eeprom_[frame ? bytes[10] : 0];
    constexpr std::string_view kHex = "0123456789ABCDEF";
    reply_[14] = kHex[value >> 4];
    reply_[15] = kHex[value & 15];
    return static_cast<long>(bytes.size());
  }
  long ReadSome(std::span<uint8_t> buffer) override {
    std::copy(reply_.begin(), reply_.end(), buffer.begin());
    return static_cast<long>(reply_.size());
  }
  void WaitReady(opal::Readiness, std::chrono::milliseconds) override {}
  std::string DeviceId() override { return "MDL:Corvane Opal 320;"; }

 private:
  // A good cartridge's chip: VELTA, made in 2090, 5 in every other byte.
  static uint8_t ChipByte(uint8_t address) {
    constexpr std::string_view kMaker = "VELTA";
    if (address >= 35 && address < 35 + kMaker.size()) return kMaker[address - 35];
    return address == 12 ? 90 : 5;
  }

  // An EEPROM write, or a Bi-D frame: Black then Color, little-endian, -128 leaving a value.
  void Keep(std::span<const uint8_t> frame) {
    if (frame[7] == 0x42 && frame.size() >= 12) eeprom_[frame[10]] = frame[11];
    if (frame[7] != 0x00 || frame.size() < 15) return;
    const auto black = static_cast<uint8_t>(0x33 + frame[10] - 1);
    for (const auto& [address, at] : {std::pair{black, 11}, std::pair{uint8_t(black + 3), 13}}) {
      const auto value = static_cast<int16_t>(frame[at] | frame[at + 1] << 8);
      if (value != -128) eeprom_[address] = static_cast<uint8_t>(value & 0xFF);
    }
  }

  Traffic& traffic_;
  std::array<uint8_t, 256> eeprom_ = [] {
    std::array<uint8_t, 256> bytes{};
    bytes.fill(5);
    return bytes;
  }();
  std::string reply_ = "@BDC PS000000005\r\n";
};

class NullProvider final : public opal::PortProvider {
 public:
  explicit NullProvider(Traffic& traffic) : traffic_(traffic) {}
  opal::OpenOutcome Open(opal::PortId) override {
    return {std::make_unique<NullDevice>(traffic_), opal::OpenFailure::None, {}};
  }

 private:
  Traffic& traffic_;
};

// The module objects of a print over the null port.
struct PrintSetup {
  PrintSetup() {
    if (port.Open(opal::PortId::Vlusb1) != opal::PORT_OK) std::abort();
  }
  Traffic traffic;
  opal::SystemClock clock;
  opal::bench::QuietExit exit;
  NullProvider provider{traffic};
  opal::TPrinterPort port{provider, clock, exit};
  opal::TFactoryCommand command{port};
  opal::TRasterPrinter raster{port, exit};
};

using Job = std::function<void(PrintSetup&)>;

void MeasureStream(benchmark::State& state, Job job) {
  PrintSetup setup;
  for (auto _ : state) job(setup);
  const double iterations = static_cast<double>(state.iterations());
  const double bytes = setup.traffic.bytes / iterations;
  state.counters["bytes"] = bytes;
  state.counters["writes"] = setup.traffic.writes / iterations;
  state.counters["runs"] = setup.traffic.runs / iterations;
  state.counters["s_per_MB"] = benchmark::Counter(
      bytes / 1e6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BidCheckPrint(PrintSetup& setup) {
  if (opal::PrintBidCheckPattern(setup.raster, setup.command) != opal::PORT_OK) std::abort();
}

// What the check sheet's first page prints of the patterns, with its line feeds between them.
void FirstPagePatterns(PrintSetup& setup) {
  auto& raster = setup.raster;
  DropResult(opal::PrintBetaBlack(raster));
  DropResult(raster.SendNewLines(1));
  DropResult(opal::PrintBetaColor(raster));
  DropResult(raster.SendNewLines(2));
  DropResult(opal::PrintNozzleCheckBlackCyan(raster));
  DropResult(raster.SendNewLines(1));
  DropResult(opal::PrintNozzleCheckMagentaYellow(raster));
  DropResult(raster.SendNewLines(2));
  DropResult(opal::PrintHorizontalAlignmentBkOdd(raster));
  DropResult(raster.SendNewLines(3));
  DropResult(opal::PrintHorizontalAlignmentBkEven(raster));
  DropResult(raster.SendNewLines(4));
}

// The whole check sheet: the patterns, every value it reads, the Bi-D blocks and the chip reports.
void A4CheckSheet(PrintSetup& setup) {
  opal::THeadIdCoder head_id(setup.command);
  opal::TMaintenanceModule maintenance(setup.command);
  opal::TZlic zlic(setup.command, setup.clock);
  opal::TA4Check sheet(setup.raster, setup.command, head_id, maintenance, zlic);
  if (sheet.PrintA4CheckSheet(opal::PrinterModel::Opal320) != opal::PORT_OK) std::abort();
}

BENCHMARK_CAPTURE(MeasureStream, BidCheckPrintIntoANullPort, BidCheckPrint)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MeasureStream, A4CheckSheetIntoANullPort, A4CheckSheet)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MeasureStream, FirstPagePatternsIntoANullPort, FirstPagePatterns)
    ->Unit(benchmark::kMillisecond);

// A USB printer port turns every write into a transfer it waits for: about 125 microseconds each,
// plus the bytes at 12 Mbit/s. The link time of a print as it is written, against the bytes' own
// wire time and against writing every run on its own.
void LinkTime(benchmark::State& state, Job job) {
  PrintSetup setup;
  for (auto _ : state) {
    setup.traffic = {};
    job(setup);
  }
  const Traffic& t = setup.traffic;
  constexpr double kTransferSeconds = 125e-6;
  constexpr double kBitsPerSecond = 12e6;
  const double wire = t.bytes * 8 / kBitsPerSecond;
  state.counters["wire_s"] = wire;
  state.counters["link_s"] = wire + t.writes * kTransferSeconds;
  state.counters["run_by_run_link_s"] =
      wire + (t.writes - t.run_writes + t.runs) * kTransferSeconds;
}
BENCHMARK_CAPTURE(LinkTime, BidCheckPrint, BidCheckPrint)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(LinkTime, A4CheckSheet, A4CheckSheet)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
