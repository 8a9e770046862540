#include "service/journaltext.h"

#include <algorithm>

#include "device/datamanu.h"

namespace opal {

std::string SettlingName(const JournalSettling& how, int64_t entry) {
  return std::string(how.name) + " of #" + std::to_string(entry);
}

std::string SettledLine(const JournalSettling& how, const JournalEntry& entry, int64_t by) {
  if (by == entry.id) {
    return "Entry #" + std::to_string(entry.id) + ' ' + how.done +
           ": the printer already held those values, nothing was written.";
  }
  return "Entry #" + std::to_string(entry.id) + ' ' + how.done + ": " +
         std::to_string(entry.changes.size()) + " bytes written and read back (entry #" +
         std::to_string(by) + ").";
}

bool ChangedNothing(const JournalEntry& entry) {
  return std::all_of(entry.changes.begin(), entry.changes.end(),
                     [](const JournalChange& change) { return change.before == change.after; });
}

std::string NothingToUndoLine(const JournalEntry& entry) {
  return "Entry #" + std::to_string(entry.id) + " (" + entry.operation +
         ") left every value as it found it: there is nothing to undo.";
}

std::string ChangeText(const JournalChange& change) {
  return ByteToHexPair(change.address) + ": " + ByteToHexPair(change.before) + " -> " +
         ByteToHexPair(change.after);
}

std::string ChangeLines(std::span<const JournalChange> changes, std::string_view indent) {
  constexpr std::size_t kPerLine = 8;
  std::string lines;
  for (std::size_t k = 0; k < changes.size(); ++k) {
    lines += (k % kPerLine == 0 ? indent : std::string_view("  "));
    lines += ChangeText(changes[k]);
    if (k % kPerLine == kPerLine - 1 || k + 1 == changes.size()) lines += '\n';
  }
  return lines;
}

std::string StateText(const JournalEntry& entry) {
  if (!entry.settled_by) return entry.state;
  if (*entry.settled_by == kLeftAsItWas) return entry.state + ", left as it was";
  if (*entry.settled_by == entry.id) return entry.state + ", found in place";
  return entry.state + ", settled by #" + std::to_string(*entry.settled_by);
}

}  // namespace opal
