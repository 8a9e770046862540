#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct sqlite3;

namespace opal {

class SqliteStatement;

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
  // The bench whose journal made it; empty in entries older than benches.
  std::string bench;
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
  std::string bench;
  JournalPrinter printer;
  std::array<uint8_t, 256> image{};
};

// One change to the journal still to be forwarded to the shop: the entry or snapshot `item` as
// it stands now. `seq` only grows, so it is the change's identity on this bench.
struct OutboxItem {
  int64_t seq = 0;
  bool snapshot = false;
  int64_t item = 0;
};

// How far the journal's changes have reached the shop, and when to try again after a failure.
struct Forwarding {
  // This journal's own name in the shop, made once at random: two benches that share a host
  // name, or a journal begun anew, never take each other's place.
  std::string journal;
  int64_t forwarded = 0;  // the last seq the shop holds
  int64_t pending = 0;
  int failures = 0;       // attempts failed in a row
  int64_t next_try = 0;   // seconds since the epoch
  std::string last_time;  // when the shop last took something
  std::string problem;    // why the last attempt failed
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
  bool AddSnapshot(const JournalSnapshot& snapshot);
  std::vector<JournalSnapshot> Snapshots(const std::optional<std::string>& usb_id) const;
  std::optional<JournalSnapshot> Snapshot(int64_t id) const;

  // Every change made since the shop last took one, oldest first, at most `limit`.
  std::vector<OutboxItem> Outbox(std::size_t limit) const;
  Forwarding ForwardingState() const;
  // The shop holds every change up to `seq`.
  bool Forwarded(int64_t seq, const std::string& time);
  bool ForwardFailed(int failures, int64_t next_try, const std::string& problem);

 private:
  bool Open(const std::filesystem::path& file, JournalAccess access);
  bool WrittenByNewer(const std::filesystem::path& file);
  bool Migrate();
  bool Execute(const char* sql);
  bool InsertChanges(int64_t entry, std::span<const JournalChange> changes);
  // Every change goes to the outbox in its own transaction, so the shop learns of each.
  bool Queue(bool snapshot, int64_t item);
  // Runs `sql` with the entry's state or settling and queues the entry, in one transaction.
  bool UpdateEntry(const std::string& sql, int64_t entry,
                   const std::function<void(SqliteStatement&)>& bind);
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
