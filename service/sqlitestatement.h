#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <string>

namespace opal {

// One prepared statement, bound by position and finalized on every path.
class SqliteStatement {
 public:
  SqliteStatement(sqlite3* db, const std::string& sql) {
    if (db) sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr);
  }
  ~SqliteStatement() { sqlite3_finalize(statement_); }
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  bool Ready() const { return statement_ != nullptr; }
  SqliteStatement& Bind(const std::string& text) {
    sqlite3_bind_text(statement_, ++bound_, text.c_str(), -1, SQLITE_TRANSIENT);
    return *this;
  }
  SqliteStatement& Bind(int64_t number) {
    sqlite3_bind_int64(statement_, ++bound_, number);
    return *this;
  }
  SqliteStatement& BindBlob(std::span<const uint8_t> bytes) {
    sqlite3_bind_blob(statement_, ++bound_, bytes.data(), static_cast<int>(bytes.size()),
                      SQLITE_TRANSIENT);
    return *this;
  }
  // True while a row is there to read.
  bool Step() { return Ready() && sqlite3_step(statement_) == SQLITE_ROW; }
  bool Run() { return Ready() && sqlite3_step(statement_) == SQLITE_DONE; }
  std::string Text(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    return text ? reinterpret_cast<const char*>(text) : "";
  }
  int64_t Number(int column) const { return sqlite3_column_int64(statement_, column); }
  std::span<const uint8_t> Blob(int column) const {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(statement_, column));
    return {bytes, bytes ? static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)) : 0};
  }
  bool IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

 private:
  sqlite3_stmt* statement_ = nullptr;
  int bound_ = 0;
};

}  // namespace opal
