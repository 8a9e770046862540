#include "service/printerhistory.h"

#include <algorithm>
#include <set>

#include "device/bid.h"
#include "device/headid.h"
#include "device/usbid.h"
#include "service/printeridentity.h"
#include "service/shopdatabase.h"

namespace opal {
namespace {

bool Names(const JournalEntry& entry, const std::string& key) {
  if (entry.printer.usb_id == key || entry.printer.head_id == key) return true;
  const IdentityBytes after = CarriedForward(IdentityBytesOf(entry.printer), std::span(&entry, 1));
  return UsbIdOf(after) == key || HeadIdOf(after) == key;
}

std::vector<JournalEntry> LocalHistory(const JournalStore& store, const std::string& key) {
  std::vector<JournalEntry> entries = store.Entries(std::nullopt);
  std::erase_if(entries, [&](const JournalEntry& entry) { return !Names(entry, key); });
  std::reverse(entries.begin(), entries.end());
  return entries;
}

// The snapshot with the done entries made after it on it; `newest_first` as the history gives.
KnownValues Applied(JournalSnapshot snapshot, const std::vector<JournalEntry>& newest_first) {
  KnownValues values;
  for (auto entry = newest_first.rbegin(); entry != newest_first.rend(); ++entry) {
    if (entry->state != kStateDone || entry->time < snapshot.time) continue;
    for (const JournalChange& change : entry->changes)
      snapshot.image[change.address] = change.after;
    values.since.push_back(*entry);
  }
  values.snapshot = std::move(snapshot);
  return values;
}

// The USB IDs the printer known as `serial` had when its entries began: its snapshot was kept
// under the one it had at its first write.
std::set<std::string> FormerSerials(const std::string& serial,
                                    const std::vector<JournalEntry>& history) {
  std::set<std::string> serials{serial};
  for (const JournalEntry& entry : history) {
    if (!entry.printer.usb_id.empty()) serials.insert(entry.printer.usb_id);
  }
  return serials;
}

std::optional<JournalSnapshot> Newest(std::optional<JournalSnapshot> a,
                                      std::optional<JournalSnapshot> b) {
  if (!a || (b && b->time > a->time)) return b;
  return a;
}

}  // namespace

PrinterHistory FindPrinterHistory(const JournalStore& store, const ShopConfig& config,
                                  const std::string& key) {
  PrinterHistory history;
  history.problem = config.problem;
  if (!config.connection.empty()) {
    ShopDatabase shop(config.connection);
    history.from_shop = shop.Reached() && shop.History(key, history.entries);
    if (history.from_shop) return history;
    history.problem = shop.Problem();
  }
  history.entries = LocalHistory(store, key);
  return history;
}

ValuesSearch FindKnownValues(const JournalStore& store, const ShopConfig& config,
                             const std::string& serial) {
  ValuesSearch search;
  search.problem = config.problem;
  if (!config.connection.empty()) {
    ShopDatabase shop(config.connection);
    std::vector<JournalEntry> history;
    std::optional<JournalSnapshot> newest;
    bool read = shop.Reached() && shop.History(serial, history);
    for (const std::string& former : FormerSerials(serial, history)) {
      std::optional<JournalSnapshot> snapshot;
      read = read && shop.LatestSnapshot(former, snapshot);
      newest = Newest(std::move(newest), std::move(snapshot));
    }
    if (read && newest) {
      search.found = Applied(std::move(*newest), history);
      search.found->from_shop = true;
      return search;
    }
    if (!read) search.problem = shop.Problem();
  }
  const std::vector<JournalEntry> history = LocalHistory(store, serial);
  std::optional<JournalSnapshot> newest;
  for (const std::string& former : FormerSerials(serial, history)) {
    for (JournalSnapshot& snapshot : store.Snapshots(former))
      newest = Newest(std::move(newest), std::move(snapshot));
  }
  if (newest) search.found = Applied(std::move(*newest), history);
  return search;
}

std::vector<uint8_t> CalibrationAddresses() {
  std::vector<uint8_t> addresses;
  for (std::size_t k = 0; k < kStoredUsbIdLength; ++k)
    addresses.push_back(static_cast<uint8_t>(kUsbIdAddress + k));
  addresses.push_back(kHeadIdDerivedAddress);
  for (const uint8_t address : HeadIdAddresses()) addresses.push_back(address);
  for (const BidRow& row : kBidRows) addresses.push_back(BidAddress(row.kind, row.ink_group));
  return addresses;
}

Result PlanValuesRestore(ServiceOperations& operations, const EepromImage& image,
                         std::vector<JournalChange>& planned) {
  planned.clear();
  for (const uint8_t address : CalibrationAddresses()) {
    uint8_t now = 0;
    const Result read =
        operations.ReadEeprom({address, address}, [&](uint8_t, uint8_t value) { now = value; });
    if (read != PORT_OK) {
      planned.clear();
      return read;
    }
    planned.push_back({address, now, image[address]});
  }
  return PORT_OK;
}

std::vector<EepromWrite> WritesOf(std::span<const JournalChange> planned) {
  std::vector<EepromWrite> writes;
  for (const JournalChange& change : planned) {
    if (change.before != change.after) writes.push_back({change.address, change.after});
  }
  return writes;
}

std::string KnownValuesLine(const KnownValues& known) {
  const std::size_t later = known.since.size();
  std::string line = known.from_shop ? "The shop" : "This bench's journal";
  line += " knows these values from the snapshot of " + known.snapshot.time;
  if (!known.snapshot.bench.empty()) line += " at bench " + known.snapshot.bench;
  if (later > 0)
    line += " and " + std::to_string(later) + (later == 1 ? " later entry" : " later entries");
  return line + ".";
}

}  // namespace opal
