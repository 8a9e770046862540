#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

#include "benchmarks/benchsupport.h"
#include "device/eeprom.h"
#include "device/headid.h"
#include "device/usbid.h"
#include "link/factory.h"
#include "service/servicejournal.h"

namespace {

// A whole EEPROM read is 256 request-reply exchanges: the time a technician waits for the grid.
void FullEepromReadThroughTheVirtualPrinter(benchmark::State& state) {
  opal::bench::VirtualLink link;
  for (auto _ : state) {
    int sum = 0;
    const auto result = opal::ReadEepromRange(link.session.command, {0x00, 0xFF},
                                              [&](uint8_t, uint8_t value) { sum += value; });
    if (result != opal::PORT_OK) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(FullEepromReadThroughTheVirtualPrinter)->Unit(benchmark::kMicrosecond);

// What reading every written byte back costs a technician: an adjustment sent byte by byte with
// nothing read back, as before, against the same adjustment written and read back.
constexpr std::string_view kHeadId = "AZBCDEFJKLMNW";
constexpr std::string_view kUsbId = "AB12345678";

using Adjustment = std::function<opal::Result(opal::bench::VirtualLink&)>;

void WriteAdjustment(benchmark::State& state, Adjustment adjustment) {
  opal::bench::VirtualLink link;
  for (auto _ : state) {
    if (adjustment(link) != opal::PORT_OK) state.SkipWithError("write failed");
  }
}

// The bytes the verified operation writes, sent with nothing read back.
opal::Result SendOnly(opal::bench::VirtualLink& link, uint8_t address, std::string_view bytes) {
  for (const char byte : bytes) {
    const opal::Result sent =
        link.session.command.EepromWriteByte(address++, static_cast<uint8_t>(byte));
    if (sent != opal::PORT_OK) return sent;
  }
  return opal::PORT_OK;
}

opal::Result HeadIdSendOnly(opal::bench::VirtualLink& link) {
  // As many bytes as the head ID writes; what they hold does not change the cost.
  return SendOnly(link, 0x3F, std::string(opal::kHeadIdLength, '\x01'));
}

opal::Result HeadIdVerified(opal::bench::VirtualLink& link) {
  return link.session.modules.head_id.WriteHeadId(kHeadId);
}

opal::Result UsbIdSendOnly(opal::bench::VirtualLink& link) {
  return SendOnly(link, opal::kUsbIdAddress, std::string(kUsbId) + "1B3EH530");
}

opal::Result UsbIdVerified(opal::bench::VirtualLink& link) {
  std::string stamp;
  return link.session.modules.usb_id.WriteUsbId(kUsbId, stamp);
}

// The same head ID write with the journal kept in the printer's folder: the old bytes are read and
// the entry committed before the write, marked done after the read-back. The first write's
// snapshot is taken before the timing starts.
void HeadIdJournaled(benchmark::State& state) {
  opal::bench::VirtualLink link;
  opal::JournalStore store(link.dir / "journal.sqlite");
  opal::ServiceJournal journal(store, link.session, link.clock, {"bench", "320", "", ""});
  if (HeadIdVerified(link) != opal::PORT_OK) state.SkipWithError("write failed");
  for (auto _ : state) {
    if (HeadIdVerified(link) != opal::PORT_OK) state.SkipWithError("write failed");
  }
}
BENCHMARK(HeadIdJournaled)->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(WriteAdjustment, HeadIdSendOnly, HeadIdSendOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WriteAdjustment, HeadIdVerified, HeadIdVerified)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WriteAdjustment, UsbIdSendOnly, UsbIdSendOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WriteAdjustment, UsbIdVerified, UsbIdVerified)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
