#pragma once

#include <span>
#include <string>
#include <vector>

#include "service/journalstore.h"

namespace opal {

// What a technician reads for a journal entry's changes: one item per adjustment, in the order
// the entry first touched them, e.g. "Bi-D 6pl Black -2 → 0", "USB ID K4A7Q20931 → AB12345678",
// "protection counter 500 → 0"; a byte no adjustment names reads "EEPROM 5E: 02 → 00". Bytes an
// operation left as it found them are not named.
std::vector<std::string> ChangesInWords(std::span<const JournalChange> changes);

// The adjustments an operation that stopped may have left other than it meant, named with the
// value each had before it began.
std::string LeftBehindLine(std::span<const JournalChange> left_behind);

}  // namespace opal
