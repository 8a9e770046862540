#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct sqlite3;

namespace opal {

struct JournalChange {
  uint8_t address;
  uint8_t before;
  uint8_t after;
  friend bool operator==(const JournalChange&, const JournalChange&) = default;
};

// Where a printer stood and who worked on it, as read when its first write began.
struct JournalPrinter {
  std::string port;
  std::string model;
  std::string usb_id;
  std::string head_id;
};

inline constexpr std::string_view kStatePending = "pending";
inline constexpr std::string_view kStateDone = "done";
inline constexpr std::string_view kStateFailed = "failed";

inline constexpr int64_t kLeftAsItWas = 0;

struct JournalEntry {
  int64_t id = 0;
  std::string time;
  std::string user;
  JournalPrinter printer;
  std::string operation;
  std::string state;
  std::string failure;
  // The resume, rollback or undo that dealt with it; the entry's own ID when the printer already
  // held the values, kLeftAsItWas when the technician chose to leave it.
  std::optional<int64_t> settled_by;
  std::vector<JournalChange> changes;
};

// The printer's EEPROM as the journal first found it.
struct JournalSnapshot {
  int64_t id = 0;
  std::string time;
  JournalPrinter printer;
  std::array<uint8_t, 256> image{};
};

// Whether a program means to add to the journal or only to look at it.
enum class JournalAccess { Write, Read };

// The journal's file: one SQLite database in WAL mode, so several programs on one machine add to
// it at once and an entry once committed survives a crash. Every call that changes it returns
// false with Problem() set when the database refused.
//
// The file carries the version of its tables. Opened to write, an older journal is brought up to
// this version; one written by a newer version of the program is read as it is and never
// written, and Problem() says so. Opened to read, nothing is changed or made, so a journal the
// user may only read still lists, and a missing one lists empty. The file and the folder holding
// it are the program's own: either one being a link, or not a plain file and folder, is refused.
class JournalStore {
 public:
  explicit JournalStore(const std::filesystem::path& file,
                        JournalAccess access = JournalAccess::Write);
  ~JournalStore();
  JournalStore(const JournalStore&) = delete;
  JournalStore& operator=(const JournalStore&) = delete;

  const std::string& Problem() const { return problem_; }

  // The entry with its changes, committed together.
  std::optional<int64_t> AddEntry(const JournalEntry& entry);
  // The entry's changes as its operation now plans them; it is pending again until they are
  // checked.
  bool ReplaceChanges(int64_t entry, std::span<const JournalChange> changes);
  bool SetState(int64_t entry, std::string_view state, std::string_view failure);
  bool SetSettled(int64_t entry, int64_t by);

  std::vector<JournalEntry> Entries(const std::optional<std::string>& usb_id) const;
  std::optional<JournalEntry> Entry(int64_t id) const;
  // Every entry that did not end done and that nothing settled or left, newest first.
  std::vector<JournalEntry> Unsettled() const;

  // Whether the printer with this identity, as read, has its snapshot.
  bool HasSnapshot(const std::string& usb_id, const std::string& head_id) const;
  bool AddSnapshot(const std::string& time, const JournalPrinter& printer,
                   std::span<const uint8_t, 256> image);
  std::vector<JournalSnapshot> Snapshots(const std::optional<std::string>& usb_id) const;
  std::optional<JournalSnapshot> Snapshot(int64_t id) const;

 private:
  bool Open(const std::filesystem::path& file, JournalAccess access);
  bool WrittenByNewer(const std::filesystem::path& file);
  bool Migrate();
  bool Execute(const char* sql);
  bool InsertChanges(int64_t entry, std::span<const JournalChange> changes);
  bool Commit();
  bool Refused();
  std::vector<JournalEntry> Select(const std::string& where, const std::string& key) const;
  std::vector<JournalSnapshot> SelectSnapshots(const std::string& where,
                                               const std::string& key) const;

  sqlite3* db_ = nullptr;
  bool writable_ = false;
  std::string problem_;
};

// $XDG_DATA_HOME/opal-service/journal.sqlite, or under ~/.local/share without it.
std::filesystem::path DefaultJournalFile();

}  // namespace opal
