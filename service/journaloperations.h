#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/journalstore.h"

namespace opal {

// The operations that change a printer, as the journal names them for every front end.
enum class JournalOperation {
  HeadIdWrite,
  UsbIdWrite,
  CounterClear,
  DataReset,
  IdentityWrite,
  EepromByteWrite,
  EepromRestore,
  BidWrite,
  BidCheckPrint,
  BidPatternPrint,
  A4CheckPrint,
  ValuesRestore,
};

// Writes no operation named.
inline constexpr std::string_view kUnnamedOperation = "EEPROM write";

std::string_view JournalOperationName(JournalOperation operation);

// Where an operation's writes are recorded, one entry from StartOperation to EndOperation.
class JournalLog {
 public:
  virtual ~JournalLog() = default;
  virtual void StartOperation(std::string name) = 0;
  virtual void EndOperation() = 0;
  // What the operation that ended last left other than it meant, and its entry.
  virtual const std::vector<JournalChange>& LeftBehind() const = 0;
  virtual std::optional<int64_t> CurrentEntry() const = 0;
  // What it meant to change.
  virtual const std::vector<JournalChange>& Changes() const = 0;
};

}  // namespace opal
