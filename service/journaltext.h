#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "service/journalstore.h"

namespace opal {

// How an unfinished or done entry is dealt with: its old values back, or its new ones on.
struct JournalSettling {
  const char* name;
  bool back;
  const char* done;
};

inline constexpr JournalSettling kUndo{"undo", true, "undone"};
inline constexpr JournalSettling kRollback{"rollback", true, "rolled back"};
inline constexpr JournalSettling kResume{"resume", false, "finished"};

// The name the settling write is journaled under: "undo of #12".
std::string SettlingName(const JournalSettling& how, int64_t entry);
// "Entry #12 undone: 18 bytes written and read back (entry #14)."
std::string SettledLine(const JournalSettling& how, const JournalEntry& entry, int64_t by);
// An entry whose operation put back every value it tried, such as a Bi-D check print.
bool ChangedNothing(const JournalEntry& entry);
// "Entry #12 (Bi-D check print) left every value as it found it: there is nothing to undo."
std::string NothingToUndoLine(const JournalEntry& entry);
// "2A: 41 -> 42"
std::string ChangeText(const JournalChange& change);
// The changes eight to a line, each line begun with `indent` and ended with a newline.
std::string ChangeLines(std::span<const JournalChange> changes, std::string_view indent);
// "done", or "done, settled by #14".
std::string StateText(const JournalEntry& entry);

}  // namespace opal
