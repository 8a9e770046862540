#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/eeprom.h"
#include "link/factory.h"
#include "service/journalstore.h"
#include "service/operations.h"
#include "service/shopconfig.h"

namespace opal {

// A printer's entries, newest first, each with its bench: from the shop when one is configured
// and answers, otherwise from this bench's journal.
struct PrinterHistory {
  std::vector<JournalEntry> entries;
  bool from_shop = false;
  // Why the shop's history could not be read; the bench's own is given then.
  std::string problem;
};

// Of the printer known by `key`: its USB ID (the serial on its label) or head ID, as an entry
// found it or left it.
PrinterHistory FindPrinterHistory(const JournalStore& store, const ShopConfig& config,
                                  const std::string& key);

// A printer's EEPROM as last known: its newest snapshot, with the values every later entry that
// ended done left on it.
struct KnownValues {
  JournalSnapshot snapshot;
  std::vector<JournalEntry> since;  // the entries whose values are on the image, oldest first
  bool from_shop = false;
};

struct ValuesSearch {
  std::optional<KnownValues> found;
  std::string problem;  // why the shop could not be asked; the bench's journal was then
};

// The values of the printer whose serial (its USB ID) is `serial`.
ValuesSearch FindKnownValues(const JournalStore& store, const ShopConfig& config,
                             const std::string& serial);

// Where a printer keeps what a new main board needs back: the USB ID with its stamp, the head ID
// and the Bi-D values.
std::vector<uint8_t> CalibrationAddresses();

// The image's calibration values beside what the printer holds now (as before): every byte, so
// the words name whole values; WritesOf gives the bytes that differ.
Result PlanValuesRestore(ServiceOperations& operations, const EepromImage& image,
                         std::vector<JournalChange>& planned);
std::vector<EepromWrite> WritesOf(std::span<const JournalChange> planned);

// "The shop knows these values from the snapshot of 2026-03-02 10:11:12 at bench 1 and 2 later
// entries."
std::string KnownValuesLine(const KnownValues& known);

}  // namespace opal
