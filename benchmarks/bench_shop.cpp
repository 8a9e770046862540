// The shop's database at the size of a large shop: 50 benches, 1,000,000 entries. Runs against
// the database libpq's environment names (PGHOST, PGPORT, ...; `pg_virtualenv bench_shop` makes
// a throwaway one), or the connection string in OPAL_BENCH_SHOP. The database must be empty: the
// benchmark fills it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>

#include "benchmarks/benchsupport.h"
#include "service/shopdatabase.h"
#include "service/shopforwarder.h"

namespace opal::bench {
namespace {

constexpr int kBenches = 50;
constexpr int kEntries = 1'000'000;
constexpr int kPrinters = 20'000;

std::string Connection() {
  const char* given = std::getenv("OPAL_BENCH_SHOP");
  return given ? given : "";
}

std::string PrinterKey(int printer) {
  const std::string digits = std::to_string(printer);
  return "P" + std::string(9 - digits.size(), '0') + digits;
}

// Fills the shop once: every bench's entries spread over the printers, as revision rows the
// forwarder writes.
bool FilledShop() {
  static const bool filled = [] {
    ShopDatabase shop(Connection());
    if (!shop.Prepare()) {
      std::cerr << shop.Problem() << '\n';
      return false;
    }
    std::vector<JournalEntry> probe;
    if (shop.History(PrinterKey(0), probe) && !probe.empty()) return true;
    const std::string fill =
        "INSERT INTO entry_revisions(journal, seq, bench, entry, time, technician, port, model, "
        "usb_id, head_id, operation, state, failure, changes, usb_id_after, head_id_after) "
        "SELECT 'journal' || (n % " +
        std::to_string(kBenches) + "), n, 'bench-' || (n % " + std::to_string(kBenches) +
        "), n, to_char(timestamp '2026-01-01' + n * interval '30 s', "
        "'YYYY-MM-DD HH24:MI:SS'), 'tech', 'VLUSB1:', 'Corvane Opal 320', "
        "'P' || lpad((n % " +
        std::to_string(kPrinters) +
        ")::text, 9, '0'), 'AZBCDEFJKLMNW', "
        "'Bi-D write', 'done', '', '\\x100102', 'P' || lpad((n % " +
        std::to_string(kPrinters) + ")::text, 9, '0'), 'AZBCDEFJKLMNW' FROM generate_series(1, " +
        std::to_string(kEntries) + ") AS n; ANALYZE entry_revisions;";
    if (!shop.Execute(fill)) {
      std::cerr << shop.Problem() << '\n';
      return false;
    }
    std::cout << "History query plan for " << PrinterKey(4242) << ":\n"
              << shop.ExplainHistory(PrinterKey(4242)) << '\n';
    return true;
  }();
  return filled;
}

// One printer's history from a shop of a million entries: p50 and p99 over random printers.
void BM_HistoryOfAPrinter(benchmark::State& state) {
  if (!FilledShop()) return state.SkipWithError("no shop database to fill (see the file's top)");
  ShopDatabase shop(Connection());
  std::mt19937 random(7);
  std::uniform_int_distribution<int> printer(0, kPrinters - 1);
  std::vector<double> took;
  std::vector<JournalEntry> found;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!shop.History(PrinterKey(printer(random)), found)) state.SkipWithError("query failed");
    took.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(took.begin(), took.end());
  state.counters["p50_ms"] = took[took.size() / 2];
  state.counters["p99_ms"] = took[took.size() * 99 / 100];
  state.counters["entries"] = static_cast<double>(found.size());
}
BENCHMARK(BM_HistoryOfAPrinter)->Iterations(2000)->Unit(benchmark::kMillisecond);

// A bench that was offline catches up: its journal's changes forwarded, per second.
void BM_ForwardingOneBench(benchmark::State& state) {
  if (!FilledShop()) return state.SkipWithError("no shop database to fill (see the file's top)");
  const ShopConfig config{.bench = "bench-x", .connection = Connection(), .problem = {}};
  const SystemClock clock;
  int64_t forwarded = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::filesystem::path dir = FreshDirectory();
    {
      JournalStore store(dir / "journal.sqlite");
      JournalEntry entry;
      entry.time = "2026-06-01 10:00:00";
      entry.operation = "Bi-D write";
      entry.state = std::string(kStateDone);
      entry.printer.usb_id = PrinterKey(1);
      entry.changes = {{0x10, 1, 2}};
      for (int k = 0; k < state.range(0); ++k) store.AddEntry(entry);
      state.ResumeTiming();
      const ShopSync sync = ForwardToShop(store, config, clock);
      if (!sync.done) state.SkipWithError(sync.problem.c_str());
      forwarded += sync.forwarded;
      state.PauseTiming();
    }
    std::filesystem::remove_all(dir);
    state.ResumeTiming();
  }
  state.counters["entries_per_s"] =
      benchmark::Counter(static_cast<double>(forwarded), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ForwardingOneBench)->Arg(1000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace opal::bench

BENCHMARK_MAIN();
