#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "service/journalstore.h"

struct pg_conn;
struct pg_result;

namespace opal {

// The version of the shop's tables this program writes and reads.
inline constexpr int kShopSchemaVersion = 2;

// One change of a bench's journal as the shop keeps it: the entry as it stood after the change,
// with the identity it left the printer with, or a snapshot. `seq` is the change's place in its
// journal's outbox.
struct ShopRecord {
  int64_t seq = 0;
  std::optional<JournalEntry> entry;
  std::string usb_id_after;
  std::string head_id_after;
  std::optional<JournalSnapshot> snapshot;
};

// The shop's PostgreSQL database, through libpq. The history is append-only: a bench adds
// records and reads them; the shop never changes or deletes one, and a record the shop holds
// already is left as it is, so forwarding again is harmless. Every call that fails returns
// false with Problem() set.
class ShopDatabase {
 public:
  // Connects at once, giving up after libpq's connect_timeout (5 s unless the connection string
  // says otherwise).
  explicit ShopDatabase(const std::string& connection);
  ~ShopDatabase();
  ShopDatabase(const ShopDatabase&) = delete;
  ShopDatabase& operator=(const ShopDatabase&) = delete;

  bool Reached() const;
  const std::string& Problem() const { return problem_; }

  // Makes the tables, or brings them up to `version`, in one transaction: a step that fails
  // changes nothing and says why; a schema newer than this program's is refused.
  bool Prepare(int version = kShopSchemaVersion);
  // The records of journal `journal`, in one transaction.
  bool Add(const std::string& journal, std::span<const ShopRecord> records);
  // Every entry of the printer known by `key` (its USB ID, the serial on its label, or its head
  // ID, before or after the entry), each as its bench last forwarded it, newest first.
  bool History(const std::string& key, std::vector<JournalEntry>& found);
  // The plan PostgreSQL runs History by, as EXPLAIN (ANALYZE, BUFFERS) gives it.
  std::string ExplainHistory(const std::string& key);
  // Statements with no parameters, such as a bulk load by the shop's owner.
  bool Execute(const std::string& sql);
  // The newest snapshot of the printer whose USB ID is `serial`.
  bool LatestSnapshot(const std::string& serial, std::optional<JournalSnapshot>& found);

 private:
  class Rows;
  using Params = std::vector<std::optional<std::string>>;
  // New: the shop took the record. Again: it held this very record. Clash: it holds another one
  // under the record's name, so a journal was copied to a second bench.
  enum class Added { New, Again, Clash, Refused };
  Rows Run(const std::string& sql, const Params& params);
  // Inserts with `insert`, and when the shop had a record of that name, asks `same` whether it
  // is this one.
  Added AddOnce(const std::string& insert, const Params& values, const std::string& same,
                const Params& key);
  bool Command(const std::string& sql);
  bool Fail(const std::string& what);
  std::optional<int> Version();

  pg_conn* connection_ = nullptr;
  std::string problem_;
};

}  // namespace opal
