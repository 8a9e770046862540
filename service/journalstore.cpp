#include "service/journalstore.h"

#include "service/sqlitestatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <system_error>

namespace opal {
namespace {

namespace fs = std::filesystem;

// The steps that bring a journal from version N to N + 1, version 0's first. Version 0 is a new
// file, or one made before the journal carried its version, which holds these tables already.
constexpr std::array<const char*, 2> kMigrations{
    R"(
CREATE TABLE IF NOT EXISTS entries(
  id INTEGER PRIMARY KEY, time TEXT, user TEXT, port TEXT, model TEXT, usb_id TEXT,
  head_id TEXT, operation TEXT, state TEXT, failure TEXT, settled_by INTEGER);
CREATE TABLE IF NOT EXISTS changes(
  entry INTEGER REFERENCES entries(id), address INTEGER, before INTEGER, after INTEGER);
CREATE TABLE IF NOT EXISTS snapshots(
  id INTEGER PRIMARY KEY, time TEXT, port TEXT, model TEXT, usb_id TEXT, head_id TEXT,
  image BLOB);
)",
    // The shop: what a journal already holds is queued for it in the order it was made.
    R"(
ALTER TABLE entries ADD COLUMN bench TEXT;
ALTER TABLE snapshots ADD COLUMN bench TEXT;
CREATE TABLE outbox(seq INTEGER PRIMARY KEY AUTOINCREMENT, snapshot INTEGER NOT NULL,
                    item INTEGER NOT NULL);
INSERT INTO outbox(snapshot, item)
  SELECT snapshot, item FROM (SELECT 0 AS snapshot, id AS item, time FROM entries
                              UNION ALL SELECT 1, id, time FROM snapshots)
  ORDER BY time, snapshot DESC, item;
CREATE TABLE forwarding(id INTEGER PRIMARY KEY CHECK (id = 1), journal TEXT NOT NULL,
                        forwarded INTEGER NOT NULL, failures INTEGER NOT NULL,
                        next_try INTEGER NOT NULL, last_time TEXT, problem TEXT);
INSERT INTO forwarding VALUES(1, lower(hex(randomblob(16))), 0, 0, 0, '', '');
)"};
constexpr int64_t kVersion = kMigrations.size();

constexpr int kBusyWaitMs = 5000;

std::optional<int64_t> Version(sqlite3* db) {
  SqliteStatement pragma(db, "PRAGMA user_version");
  if (!pragma.Step()) return std::nullopt;
  return pragma.Number(0);
}

// Why `path` cannot be the journal's folder or file; empty when it can, or is not there yet.
std::string RefusedPlace(const fs::path& path, fs::file_type wanted) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path, error);
  if (status.type() == fs::file_type::not_found) return {};
  if (error) return path.string() + ": " + error.message();
  if (fs::is_symlink(status)) {
    return path.string() + " is a link; the service journal is kept only in a folder and file " +
           "of its own";
  }
  if (status.type() == wanted) return {};
  return path.string() +
         (wanted == fs::file_type::directory ? " is not a folder" : " is not a regular file");
}

}  // namespace

// A journal that opened but cannot be written stays open: what it holds can still be read.
JournalStore::JournalStore(const fs::path& file, JournalAccess access) {
  if (!Open(file, access) || access == JournalAccess::Read || WrittenByNewer(file)) return;
  if (!Execute("PRAGMA journal_mode=WAL;") || !Execute("PRAGMA synchronous=FULL;") ||
      !Execute("BEGIN IMMEDIATE;")) {
    problem_ = file.string() + ": " + problem_;
    return;
  }
  // Another program may have made it meanwhile, a newer one too.
  if (WrittenByNewer(file)) {
    sqlite3_exec(db_, "ROLLBACK;", nullptr, nullptr, nullptr);
    return;
  }
  if (!Migrate()) {
    problem_ = file.string() + ": " + problem_;
    return;
  }
  writable_ = true;
}

// A newer program may keep what this one does not know of, so its journal is not written to, not
// even to set the journal mode.
bool JournalStore::WrittenByNewer(const fs::path& file) {
  const int64_t version = Version(db_).value_or(0);
  if (version <= kVersion) return false;
  problem_ = file.string() + " was written by a newer version of Opal Service (journal version " +
             std::to_string(version) + ", this version knows up to " + std::to_string(kVersion) +
             "): it can be listed, but not written";
  return true;
}

bool JournalStore::Open(const fs::path& file, JournalAccess access) {
  problem_ = RefusedPlace(file.parent_path(), fs::file_type::directory);
  if (!problem_.empty()) return false;
  if (access == JournalAccess::Write) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) {
      problem_ = file.parent_path().string() + ": " + error.message();
      return false;
    }
  }
  // SQLite keeps the write-ahead log and its index beside the file while the journal is open.
  for (const char* suffix : {"", "-wal", "-shm"}) {
    problem_ = RefusedPlace(file.string() + suffix, fs::file_type::regular);
    if (!problem_.empty()) return false;
  }
  // A journal nothing was written to yet has no entries to read.
  if (access == JournalAccess::Read && !fs::exists(file)) return true;
  const int flags = access == JournalAccess::Write ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                                   : SQLITE_OPEN_READONLY;
  if (sqlite3_open_v2(file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    problem_ = file.string() + ": " + (db_ ? sqlite3_errmsg(db_) : "cannot be opened");
    sqlite3_close(db_);
    db_ = nullptr;
    return false;
  }
  sqlite3_busy_timeout(db_, kBusyWaitMs);
  return true;
}

// Inside the transaction the constructor began, so a program opening the journal meanwhile finds
// it either as it was or at this version.
bool JournalStore::Migrate() {
  const std::optional<int64_t> version = Version(db_);
  if (!version) return Refused();
  for (int64_t step = *version; step < kVersion; ++step) {
    if (!Execute(kMigrations[static_cast<std::size_t>(step)])) return Refused();
  }
  const std::string set_version = "PRAGMA user_version = " + std::to_string(kVersion) + ";";
  if (*version != kVersion && !Execute(set_version.c_str())) return Refused();
  return Commit();
}

JournalStore::~JournalStore() {
  sqlite3_close(db_);
}

bool JournalStore::Execute(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
  problem_ = message ? message : "the journal database refused the change";
  sqlite3_free(message);
  return false;
}

bool JournalStore::Refused() {
  if (db_) problem_ = sqlite3_errmsg(db_);
  // The refusal already fails the call; a rollback that fails too leaves nothing committed.
  if (db_ && !sqlite3_get_autocommit(db_))
    sqlite3_exec(db_, "ROLLBACK;", nullptr, nullptr, nullptr);
  return false;
}

bool JournalStore::Commit() {
  return Execute("COMMIT;") || Refused();
}

bool JournalStore::InsertChanges(int64_t entry, std::span<const JournalChange> changes) {
  for (const JournalChange& change : changes) {
    SqliteStatement insert(db_,
                           "INSERT INTO changes(entry, address, before, after) VALUES(?,?,?,?)");
    insert.Bind(entry).Bind(change.address).Bind(change.before).Bind(change.after);
    if (!insert.Run()) return Refused();
  }
  return true;
}

std::optional<int64_t> JournalStore::AddEntry(const JournalEntry& entry) {
  if (!writable_ || !Execute("BEGIN IMMEDIATE;")) return std::nullopt;
  SqliteStatement insert(db_,
                         "INSERT INTO entries(time, user, bench, port, model, usb_id, head_id, "
                         "operation, state, failure) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  insert.Bind(entry.time).Bind(entry.user).Bind(entry.bench).Bind(entry.printer.port);
  insert.Bind(entry.printer.model).Bind(entry.printer.usb_id).Bind(entry.printer.head_id);
  insert.Bind(entry.operation).Bind(entry.state).Bind(entry.failure);
  if (!insert.Run()) {
    Refused();
    return std::nullopt;
  }
  const int64_t id = sqlite3_last_insert_rowid(db_);
  if (!InsertChanges(id, entry.changes) || !Queue(false, id) || !Commit()) return std::nullopt;
  return id;
}

bool JournalStore::Queue(bool snapshot, int64_t item) {
  SqliteStatement insert(db_, "INSERT INTO outbox(snapshot, item) VALUES(?, ?)");
  insert.Bind(int64_t{snapshot}).Bind(item);
  return insert.Run() || Refused();
}

bool JournalStore::ReplaceChanges(int64_t entry, std::span<const JournalChange> changes) {
  if (!writable_ || !Execute("BEGIN IMMEDIATE;")) return false;
  SqliteStatement update(db_, "UPDATE entries SET state = ? WHERE id = ?");
  update.Bind(std::string(kStatePending)).Bind(entry);
  if (!update.Run()) return Refused();
  SqliteStatement remove(db_, "DELETE FROM changes WHERE entry = ?");
  remove.Bind(entry);
  if (!remove.Run()) return Refused();
  return InsertChanges(entry, changes) && Queue(false, entry) && Commit();
}

bool JournalStore::UpdateEntry(const std::string& sql, int64_t entry,
                               const std::function<void(SqliteStatement&)>& bind) {
  if (!writable_ || !Execute("BEGIN IMMEDIATE;")) return false;
  SqliteStatement update(db_, sql);
  bind(update);
  update.Bind(entry);
  if (!update.Run()) return Refused();
  return Queue(false, entry) && Commit();
}

bool JournalStore::SetState(int64_t entry, std::string_view state, std::string_view failure) {
  return UpdateEntry(
      "UPDATE entries SET state = ?, failure = ? WHERE id = ?", entry,
      [&](SqliteStatement& update) { update.Bind(std::string(state)).Bind(std::string(failure)); });
}

bool JournalStore::SetSettled(int64_t entry, int64_t by) {
  return UpdateEntry("UPDATE entries SET settled_by = ? WHERE id = ?", entry,
                     [&](SqliteStatement& update) { update.Bind(by); });
}

std::vector<JournalEntry> JournalStore::Select(const std::string& where,
                                               const std::string& key) const {
  std::vector<JournalEntry> entries;
  SqliteStatement select(db_,
                         "SELECT id, time, user, port, model, usb_id, head_id, operation, state, "
                         "failure, settled_by, bench FROM entries " +
                             where);
  if (!key.empty()) select.Bind(key);
  while (select.Step()) {
    JournalEntry entry;
    entry.id = select.Number(0);
    entry.time = select.Text(1);
    entry.user = select.Text(2);
    entry.printer = {select.Text(3), select.Text(4), select.Text(5), select.Text(6)};
    entry.operation = select.Text(7);
    entry.state = select.Text(8);
    entry.failure = select.Text(9);
    if (!select.IsNull(10)) entry.settled_by = select.Number(10);
    entry.bench = select.Text(11);
    entries.push_back(std::move(entry));
  }
  for (JournalEntry& entry : entries) {
    SqliteStatement changes(
        db_, "SELECT address, before, after FROM changes WHERE entry = ? ORDER BY rowid");
    changes.Bind(entry.id);
    while (changes.Step()) {
      entry.changes.push_back({static_cast<uint8_t>(changes.Number(0)),
                               static_cast<uint8_t>(changes.Number(1)),
                               static_cast<uint8_t>(changes.Number(2))});
    }
  }
  return entries;
}

std::vector<JournalEntry> JournalStore::Entries(const std::optional<std::string>& usb_id) const {
  if (!usb_id) return Select("ORDER BY id", "");
  return Select("WHERE usb_id = ? ORDER BY id", *usb_id);
}

std::optional<JournalEntry> JournalStore::Entry(int64_t id) const {
  auto found = Select("WHERE id = ?", std::to_string(id));
  if (found.empty()) return std::nullopt;
  return std::move(found.front());
}

std::vector<JournalEntry> JournalStore::Unsettled() const {
  return Select("WHERE state != 'done' AND settled_by IS NULL ORDER BY id DESC", "");
}

bool JournalStore::HasSnapshot(const std::string& usb_id, const std::string& head_id) const {
  SqliteStatement select(db_, "SELECT 1 FROM snapshots WHERE usb_id = ? AND head_id = ?");
  select.Bind(usb_id).Bind(head_id);
  return select.Step();
}

bool JournalStore::AddSnapshot(const JournalSnapshot& snapshot) {
  if (!writable_ || !Execute("BEGIN IMMEDIATE;")) return false;
  SqliteStatement insert(db_,
                         "INSERT INTO snapshots(time, bench, port, model, usb_id, head_id, image) "
                         "VALUES(?, ?, ?, ?, ?, ?, ?)");
  const JournalPrinter& printer = snapshot.printer;
  insert.Bind(snapshot.time).Bind(snapshot.bench).Bind(printer.port).Bind(printer.model);
  insert.Bind(printer.usb_id).Bind(printer.head_id).BindBlob(snapshot.image);
  if (!insert.Run()) return Refused();
  return Queue(true, sqlite3_last_insert_rowid(db_)) && Commit();
}

std::vector<JournalSnapshot> JournalStore::SelectSnapshots(const std::string& where,
                                                           const std::string& key) const {
  std::vector<JournalSnapshot> snapshots;
  SqliteStatement select(
      db_, "SELECT id, time, port, model, usb_id, head_id, image, bench FROM snapshots " + where);
  if (!key.empty()) select.Bind(key);
  while (select.Step()) {
    JournalSnapshot snapshot;
    snapshot.id = select.Number(0);
    snapshot.time = select.Text(1);
    snapshot.printer = {select.Text(2), select.Text(3), select.Text(4), select.Text(5)};
    snapshot.bench = select.Text(7);
    const auto image = select.Blob(6);
    // A row not written by this program is no image to put on a printer.
    if (image.size() != snapshot.image.size()) continue;
    std::copy(image.begin(), image.end(), snapshot.image.begin());
    snapshots.push_back(std::move(snapshot));
  }
  return snapshots;
}

std::vector<JournalSnapshot> JournalStore::Snapshots(
    const std::optional<std::string>& usb_id) const {
  if (!usb_id) return SelectSnapshots("ORDER BY id", "");
  return SelectSnapshots("WHERE usb_id = ? ORDER BY id", *usb_id);
}

std::optional<JournalSnapshot> JournalStore::Snapshot(int64_t id) const {
  auto found = SelectSnapshots("WHERE id = ?", std::to_string(id));
  if (found.empty()) return std::nullopt;
  return std::move(found.front());
}

std::vector<OutboxItem> JournalStore::Outbox(std::size_t limit) const {
  std::vector<OutboxItem> items;
  SqliteStatement select(db_,
                         "SELECT seq, snapshot, item FROM outbox WHERE seq > (SELECT forwarded "
                         "FROM forwarding) ORDER BY seq LIMIT ?");
  select.Bind(static_cast<int64_t>(limit));
  while (select.Step()) {
    items.push_back({select.Number(0), select.Number(1) != 0, select.Number(2)});
  }
  return items;
}

Forwarding JournalStore::ForwardingState() const {
  Forwarding state;
  SqliteStatement select(db_,
                         "SELECT forwarded, failures, next_try, last_time, problem, (SELECT "
                         "count(*) FROM outbox WHERE seq > forwarded), journal FROM forwarding");
  if (!select.Step()) return state;
  state.forwarded = select.Number(0);
  state.failures = static_cast<int>(select.Number(1));
  state.next_try = select.Number(2);
  state.last_time = select.Text(3);
  state.problem = select.Text(4);
  state.pending = select.Number(5);
  state.journal = select.Text(6);
  return state;
}

bool JournalStore::Forwarded(int64_t seq, const std::string& time) {
  if (!writable_) return false;
  // Another program of this bench may have forwarded further meanwhile.
  SqliteStatement update(db_,
                         "UPDATE forwarding SET forwarded = max(forwarded, ?), failures = 0, "
                         "next_try = 0, last_time = ?, problem = ''");
  update.Bind(seq).Bind(time);
  return update.Run() || Refused();
}

bool JournalStore::ForwardFailed(int failures, int64_t next_try, const std::string& problem) {
  if (!writable_) return false;
  SqliteStatement update(db_, "UPDATE forwarding SET failures = ?, next_try = ?, problem = ?");
  update.Bind(int64_t{failures}).Bind(next_try).Bind(problem);
  return update.Run() || Refused();
}

std::filesystem::path DefaultJournalFile() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path base = data && *data ? std::filesystem::path(data)
                               : home        ? std::filesystem::path(home) / ".local/share"
                                             : std::filesystem::path(".");
  return base / "opal-service" / "journal.sqlite";
}

}  // namespace opal
