#include "service/shopforwarder.h"

#include <algorithm>
#include <ctime>

#include "service/printeridentity.h"
#include "service/servicejournal.h"
#include "service/shopdatabase.h"

namespace opal {
namespace {

constexpr int64_t kFirstWait = 10;
constexpr int64_t kLongestWait = 600;
// Each batch is one transaction of the shop's: small enough to be quick when the server goes
// away in the middle, large enough to catch up on a thousand entries in a few.
constexpr std::size_t kBatch = 200;

int64_t Seconds(const Clock& clock) {
  std::tm local = clock.LocalTime();
  return static_cast<int64_t>(std::mktime(&local));
}

// The journal's item as it stands now, with the bench named where the journal did not name one.
std::optional<ShopRecord> RecordOf(const JournalStore& store, const OutboxItem& item,
                                   const std::string& bench) {
  ShopRecord record;
  record.seq = item.seq;
  if (item.snapshot) {
    record.snapshot = store.Snapshot(item.item);
    if (!record.snapshot) return std::nullopt;
    if (record.snapshot->bench.empty()) record.snapshot->bench = bench;
    return record;
  }
  record.entry = store.Entry(item.item);
  if (!record.entry) return std::nullopt;
  if (record.entry->bench.empty()) record.entry->bench = bench;
  const IdentityBytes after =
      CarriedForward(IdentityBytesOf(record.entry->printer), std::span(&*record.entry, 1));
  record.usb_id_after = UsbIdOf(after);
  record.head_id_after = HeadIdOf(after);
  return record;
}

ShopSync Failed(JournalStore& store, const Clock& clock, ShopSync sync, std::string problem) {
  const int failures = store.ForwardingState().failures + 1;
  // The attempt failed either way; a journal that cannot note it only tries again sooner.
  static_cast<void>(
      store.ForwardFailed(failures, Seconds(clock) + BackoffSeconds(failures), problem));
  sync.problem = std::move(problem);
  return sync;
}

}  // namespace

int64_t BackoffSeconds(int failures) {
  int64_t wait = kFirstWait;
  for (int k = 1; k < failures && wait < kLongestWait; ++k) wait *= 2;
  return std::min(wait, kLongestWait);
}

bool ForwardingDue(const Forwarding& state, const Clock& clock) {
  return state.next_try <= Seconds(clock);
}

ShopSync ForwardToShop(JournalStore& store, const ShopConfig& config, const Clock& clock) {
  ShopSync sync;
  if (!store.Problem().empty()) {
    sync.problem = "The service journal cannot be forwarded: " + store.Problem();
    return sync;
  }
  if (!config.problem.empty()) return Failed(store, clock, sync, config.problem);
  ShopDatabase shop(config.connection);
  if (!shop.Prepare()) return Failed(store, clock, sync, shop.Problem());
  const std::string journal = store.ForwardingState().journal;
  for (;;) {
    const std::vector<OutboxItem> items = store.Outbox(kBatch);
    if (items.empty()) break;
    std::vector<ShopRecord> records;
    for (const OutboxItem& item : items) {
      // Entries and snapshots are never taken out of a journal; one that is not there was never
      // committed, and there is nothing of it to forward.
      if (auto record = RecordOf(store, item, config.bench)) records.push_back(std::move(*record));
    }
    if (!shop.Add(journal, records)) return Failed(store, clock, sync, shop.Problem());
    if (!store.Forwarded(items.back().seq, JournalTime(clock))) {
      sync.problem = "The service journal could not note what the shop holds: " + store.Problem();
      return sync;
    }
    sync.forwarded += static_cast<int64_t>(items.size());
  }
  sync.done = true;
  return sync;
}

ShopSync ForwardIfDue(JournalStore& store, const ShopConfig& config, const Clock& clock) {
  const Forwarding state = store.ForwardingState();
  ShopSync sync;
  sync.done = state.pending == 0;
  if (config.connection.empty() || sync.done) return sync;
  if (ForwardingDue(state, clock)) return ForwardToShop(store, config, clock);
  sync.problem = state.problem;
  return sync;
}

ShopState ShopStatus(const std::filesystem::path& journal_file, const ShopConfig& config) {
  ShopState state;
  state.config = config;
  const JournalStore store(journal_file, JournalAccess::Read);
  state.forwarding = store.ForwardingState();
  state.problem = config.problem.empty() ? store.Problem() : config.problem;
  if (config.connection.empty() || !state.problem.empty()) return state;
  ShopDatabase shop(config.connection);
  state.reached = shop.Reached();
  if (!state.reached) state.problem = shop.Problem();
  return state;
}

std::string ShopStateLine(const ShopState& state) {
  const ShopConfig& config = state.config;
  if (config.connection.empty() && config.problem.empty()) {
    return "No shop database is configured: this bench keeps its journal on its own.";
  }
  const int64_t pending = state.forwarding.pending;
  std::string line = "Shop: ";
  line += state.reached ? "reachable" : "not reachable";
  line += pending == 0 ? ", nothing pending"
                       : ", " + std::to_string(pending) + (pending == 1 ? " change" : " changes") +
                             " pending";
  if (!state.forwarding.last_time.empty()) line += ", last forwarded " + state.forwarding.last_time;
  line += " (bench " + config.bench + ").";
  if (!state.problem.empty()) line += " " + state.problem;
  return line;
}

}  // namespace opal
