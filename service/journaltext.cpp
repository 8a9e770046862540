#include "service/journaltext.h"

#include "device/datamanu.h"

namespace opal {

std::string SettlingName(const JournalSettling& how, int64_t entry) {
  return std::string(how.name) + " of #" + std::to_string(entry);
}

std::string SettledLine(const JournalSettling& how, const JournalEntry& entry, int64_t by) {
  return "Entry #" + std::to_string(entry.id) + ' ' + how.done + ": " +
         std::to_string(entry.changes.size()) + " bytes written and read back (entry #" +
         std::to_string(by) + ").";
}

std::string ChangeText(const JournalChange& change) {
  return ByteToHexPair(change.address) + ": " + ByteToHexPair(change.before) + " -> " +
         ByteToHexPair(change.after);
}

}  // namespace opal
