#include "service/shopdatabase.h"

#include <libpq-fe.h>

#include <array>
#include <memory>
#include <string_view>

namespace opal {
namespace {

// The steps that bring the shop's tables from version N to N + 1. A step only adds: nothing the
// shop holds is ever changed or dropped by one.
constexpr std::array<const char*, kShopSchemaVersion> kShopMigrations{
    R"(
CREATE TABLE opal_schema(version integer PRIMARY KEY, applied timestamptz NOT NULL DEFAULT now());
CREATE TABLE entry_revisions(
  journal text NOT NULL, seq bigint NOT NULL, bench text NOT NULL, entry bigint NOT NULL,
  time text NOT NULL, technician text NOT NULL, port text NOT NULL, model text NOT NULL,
  usb_id text NOT NULL, head_id text NOT NULL, operation text NOT NULL, state text NOT NULL,
  failure text NOT NULL, settled_by bigint, changes bytea NOT NULL,
  received timestamptz NOT NULL DEFAULT now(), PRIMARY KEY (journal, seq));
CREATE TABLE snapshots(
  journal text NOT NULL, seq bigint NOT NULL, bench text NOT NULL, snapshot bigint NOT NULL,
  time text NOT NULL, port text NOT NULL, model text NOT NULL, usb_id text NOT NULL,
  head_id text NOT NULL, image bytea NOT NULL CHECK (length(image) = 256),
  received timestamptz NOT NULL DEFAULT now(), PRIMARY KEY (journal, seq));
CREATE FUNCTION opal_append_only() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  RAISE EXCEPTION 'the shop history is append-only: a correction is a new entry';
END $$;
CREATE TRIGGER entry_revisions_append_only BEFORE UPDATE OR DELETE OR TRUNCATE
  ON entry_revisions FOR EACH STATEMENT EXECUTE FUNCTION opal_append_only();
CREATE TRIGGER snapshots_append_only BEFORE UPDATE OR DELETE OR TRUNCATE
  ON snapshots FOR EACH STATEMENT EXECUTE FUNCTION opal_append_only();
)",
    // A printer is found by any name it had: the IDs it was met with and those an entry left.
    R"(
ALTER TABLE entry_revisions ADD COLUMN usb_id_after text, ADD COLUMN head_id_after text;
ALTER TABLE entry_revisions ADD COLUMN printer_keys text[] GENERATED ALWAYS AS
  (ARRAY[usb_id, head_id, coalesce(usb_id_after, usb_id), coalesce(head_id_after, head_id)])
  STORED;
CREATE INDEX entry_revisions_printer ON entry_revisions USING gin (printer_keys);
CREATE INDEX snapshots_usb_id ON snapshots (usb_id, time DESC);
)"};

// Each entry as its bench last forwarded it, newest first.
constexpr const char* kHistory =
    "SELECT bench, entry, time, technician, port, model, usb_id, head_id, operation, state, "
    "failure, settled_by, encode(changes, 'hex') FROM (SELECT DISTINCT ON (journal, entry) * "
    "FROM entry_revisions WHERE printer_keys @> ARRAY[$1::text] ORDER BY journal, entry, seq "
    "DESC) latest ORDER BY time DESC, bench, entry DESC";

// Any number will do, as long as no other program of the database takes the same lock.
constexpr const char* kMigrationLock = "SELECT pg_advisory_xact_lock(7310320)";

std::string Hex(std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "\\x";
  for (const uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::vector<uint8_t> FromHex(std::string_view text) {
  std::vector<uint8_t> bytes;
  const auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  for (std::size_t k = 0; k + 1 < text.size(); k += 2) {
    bytes.push_back(static_cast<uint8_t>(digit(text[k]) << 4 | digit(text[k + 1])));
  }
  return bytes;
}

std::string ChangeBytes(std::span<const JournalChange> changes) {
  std::vector<uint8_t> bytes;
  for (const JournalChange& change : changes) {
    bytes.insert(bytes.end(), {change.address, change.before, change.after});
  }
  return Hex(bytes);
}

}  // namespace

// One result, cleared on every path.
class ShopDatabase::Rows {
 public:
  explicit Rows(PGresult* result) : result_(result, &PQclear) {}
  bool Ok() const {
    const ExecStatusType status = PQresultStatus(result_.get());
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
  }
  std::string Error() const { return PQresultErrorMessage(result_.get()); }
  int Count() const { return PQntuples(result_.get()); }
  bool AddedNone() const { return std::string_view(PQcmdTuples(result_.get())) == "0"; }
  std::string Text(int row, int column) const { return PQgetvalue(result_.get(), row, column); }
  int64_t Number(int row, int column) const { return std::stoll(Text(row, column)); }
  bool IsNull(int row, int column) const { return PQgetisnull(result_.get(), row, column) != 0; }

 private:
  std::unique_ptr<PGresult, decltype(&PQclear)> result_;
};

ShopDatabase::ShopDatabase(const std::string& connection) {
  // What the connection string says comes later, so it wins over these defaults.
  const std::array<const char*, 4> keywords{"connect_timeout", "application_name", "dbname",
                                            nullptr};
  const std::array<const char*, 4> values{"5", "opal-service", connection.c_str(), nullptr};
  connection_ = PQconnectdbParams(keywords.data(), values.data(), /*expand_dbname=*/1);
  if (!Reached()) Fail("The shop's database cannot be reached");
}

ShopDatabase::~ShopDatabase() {
  PQfinish(connection_);
}

bool ShopDatabase::Reached() const {
  return connection_ && PQstatus(connection_) == CONNECTION_OK;
}

bool ShopDatabase::Fail(const std::string& what) {
  std::string detail = connection_ ? PQerrorMessage(connection_) : "out of memory";
  while (!detail.empty() && (detail.back() == '\n' || detail.back() == ' ')) detail.pop_back();
  problem_ = detail.empty() ? what : what + ": " + detail;
  return false;
}

ShopDatabase::Rows ShopDatabase::Run(const std::string& sql, const Params& params) {
  // Only the simple protocol takes several statements at once, as the migration steps are.
  if (params.empty()) return Rows(PQexec(connection_, sql.c_str()));
  std::vector<const char*> values;
  for (const auto& param : params) values.push_back(param ? param->c_str() : nullptr);
  return Rows(PQexecParams(connection_, sql.c_str(), static_cast<int>(values.size()), nullptr,
                           values.data(), nullptr, nullptr, 0));
}

bool ShopDatabase::Command(const std::string& sql) {
  return Run(sql, {}).Ok();
}

std::optional<int> ShopDatabase::Version() {
  const Rows exists = Run("SELECT to_regclass('opal_schema') IS NOT NULL", {});
  if (!exists.Ok() || exists.Count() != 1) return std::nullopt;
  if (exists.Text(0, 0) != "t") return 0;
  const Rows version = Run("SELECT coalesce(max(version), 0) FROM opal_schema", {});
  if (!version.Ok() || version.Count() != 1) return std::nullopt;
  return static_cast<int>(version.Number(0, 0));
}

bool ShopDatabase::Prepare(int version) {
  if (!Reached()) return false;
  // Benches that find the tables behind at once bring them up one after the other.
  if (!Command("BEGIN") || !Command(kMigrationLock)) return Fail("The shop's database refused");
  const std::optional<int> found = Version();
  if (!found) {
    Command("ROLLBACK");
    return Fail("The shop's schema version cannot be read");
  }
  if (*found > kShopSchemaVersion) {
    Command("ROLLBACK");
    problem_ = "The shop's tables were made by a newer version of Opal Service (schema version " +
               std::to_string(*found) + ", this version knows up to " +
               std::to_string(kShopSchemaVersion) + "); nothing is forwarded to it";
    return false;
  }
  for (int step = *found; step < version; ++step) {
    const Rows done = Run(kShopMigrations[static_cast<std::size_t>(step)], {});
    const Rows noted =
        Run("INSERT INTO opal_schema(version) VALUES($1)", {std::to_string(step + 1)});
    if (!done.Ok() || !noted.Ok()) {
      const std::string error = done.Ok() ? noted.Error() : done.Error();
      Command("ROLLBACK");
      problem_ = "The shop's tables could not be brought from schema version " +
                 std::to_string(*found) + " to " + std::to_string(version) +
                 "; nothing was changed. The shop's owner runs `opalctl shop sync` once to bring "
                 "them up. The database said: " +
                 error;
      while (!problem_.empty() && problem_.back() == '\n') problem_.pop_back();
      return false;
    }
  }
  return Command("COMMIT") || Fail("The shop's database refused the schema");
}

ShopDatabase::Added ShopDatabase::AddOnce(const std::string& insert, const Params& values,
                                          const std::string& same, const Params& key) {
  const Rows inserted = Run(insert, values);
  if (!inserted.Ok()) return Added::Refused;
  if (!inserted.AddedNone()) return Added::New;
  const Rows held = Run(same, key);
  if (!held.Ok()) return Added::Refused;
  return held.Count() > 0 ? Added::Again : Added::Clash;
}

bool ShopDatabase::Add(const std::string& journal, std::span<const ShopRecord> records) {
  if (!Command("BEGIN")) return Fail("The shop's database refused");
  for (const ShopRecord& record : records) {
    const std::string seq = std::to_string(record.seq);
    Added added = Added::New;
    if (const auto& entry = record.entry) {
      const JournalPrinter& printer = entry->printer;
      const std::string id = std::to_string(entry->id);
      added = AddOnce(
          "INSERT INTO entry_revisions(journal, seq, bench, entry, time, technician, port, model, "
          "usb_id, head_id, operation, state, failure, settled_by, changes, usb_id_after, "
          "head_id_after) VALUES($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, "
          "$15, $16, $17) ON CONFLICT DO NOTHING",
          {journal, seq, entry->bench, id, entry->time, entry->user, printer.port, printer.model,
           printer.usb_id, printer.head_id, entry->operation, entry->state, entry->failure,
           entry->settled_by ? std::optional(std::to_string(*entry->settled_by)) : std::nullopt,
           ChangeBytes(entry->changes), record.usb_id_after, record.head_id_after},
          "SELECT 1 FROM entry_revisions WHERE journal = $1 AND seq = $2 AND entry = $3 AND "
          "time = $4",
          {journal, seq, id, entry->time});
    } else if (const auto& snapshot = record.snapshot) {
      const JournalPrinter& printer = snapshot->printer;
      const std::string id = std::to_string(snapshot->id);
      added = AddOnce(
          "INSERT INTO snapshots(journal, seq, bench, snapshot, time, port, model, usb_id, "
          "head_id, image) VALUES($1, $2, $3, $4, $5, $6, $7, $8, $9, $10) ON CONFLICT DO NOTHING",
          {journal, seq, snapshot->bench, id, snapshot->time, printer.port, printer.model,
           printer.usb_id, printer.head_id, Hex(snapshot->image)},
          "SELECT 1 FROM snapshots WHERE journal = $1 AND seq = $2 AND snapshot = $3 AND "
          "time = $4",
          {journal, seq, id, snapshot->time});
    }
    if (added == Added::Refused) Fail("The shop's database refused the journal's entries");
    if (added == Added::Clash) {
      problem_ = "The shop holds another change under this journal's name (" + journal +
                 ", change " + seq +
                 "): two benches share one journal, as a copied journal "
                 "file would. Nothing more is forwarded until one of them has a journal of its "
                 "own.";
    }
    if (added == Added::Refused || added == Added::Clash) {
      Command("ROLLBACK");
      return false;
    }
  }
  return Command("COMMIT") || Fail("The shop's database refused the journal's entries");
}

bool ShopDatabase::History(const std::string& key, std::vector<JournalEntry>& found) {
  found.clear();
  const Rows rows = Run(kHistory, {key});
  if (!rows.Ok()) return Fail("The shop's history cannot be read");
  for (int row = 0; row < rows.Count(); ++row) {
    JournalEntry entry;
    entry.bench = rows.Text(row, 0);
    entry.id = rows.Number(row, 1);
    entry.time = rows.Text(row, 2);
    entry.user = rows.Text(row, 3);
    entry.printer = {rows.Text(row, 4), rows.Text(row, 5), rows.Text(row, 6), rows.Text(row, 7)};
    entry.operation = rows.Text(row, 8);
    entry.state = rows.Text(row, 9);
    entry.failure = rows.Text(row, 10);
    if (!rows.IsNull(row, 11)) entry.settled_by = rows.Number(row, 11);
    const std::vector<uint8_t> bytes = FromHex(rows.Text(row, 12));
    for (std::size_t k = 0; k + 2 < bytes.size(); k += 3) {
      entry.changes.push_back({bytes[k], bytes[k + 1], bytes[k + 2]});
    }
    found.push_back(std::move(entry));
  }
  return true;
}

std::string ShopDatabase::ExplainHistory(const std::string& key) {
  const Rows rows = Run(std::string("EXPLAIN (ANALYZE, BUFFERS) ") + kHistory, {key});
  if (!rows.Ok()) return rows.Error();
  std::string plan;
  for (int row = 0; row < rows.Count(); ++row) plan += rows.Text(row, 0) + '\n';
  return plan;
}

bool ShopDatabase::Execute(const std::string& sql) {
  return Command(sql) || Fail("The shop's database refused");
}

bool ShopDatabase::LatestSnapshot(const std::string& serial,
                                  std::optional<JournalSnapshot>& found) {
  found.reset();
  const Rows rows =
      Run("SELECT bench, snapshot, time, port, model, usb_id, head_id, encode(image, 'hex') FROM "
          "snapshots WHERE usb_id = $1 ORDER BY time DESC, received DESC LIMIT 1",
          {serial});
  if (!rows.Ok()) return Fail("The shop's snapshots cannot be read");
  if (rows.Count() == 0) return true;
  JournalSnapshot snapshot;
  snapshot.bench = rows.Text(0, 0);
  snapshot.id = rows.Number(0, 1);
  snapshot.time = rows.Text(0, 2);
  snapshot.printer = {rows.Text(0, 3), rows.Text(0, 4), rows.Text(0, 5), rows.Text(0, 6)};
  const std::vector<uint8_t> image = FromHex(rows.Text(0, 7));
  if (image.size() != snapshot.image.size()) return true;
  std::copy(image.begin(), image.end(), snapshot.image.begin());
  found = std::move(snapshot);
  return true;
}

}  // namespace opal
