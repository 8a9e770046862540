#pragma once

#include <string>
#include <string_view>

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
};

// Writes no operation named.
inline constexpr std::string_view kUnnamedOperation = "EEPROM write";

std::string_view JournalOperationName(JournalOperation operation);

// Names the journal entry of the writes made while it lives; writes after it are on their own
// again.
class JournalOperationScope {
 public:
  class Log {
   public:
    virtual ~Log() = default;
    virtual void StartOperation(std::string name) = 0;
    virtual void EndOperation() = 0;
  };

  // Without a log (a front end that keeps no journal) it does nothing.
  JournalOperationScope(Log* log, JournalOperation operation);
  ~JournalOperationScope();
  JournalOperationScope(const JournalOperationScope&) = delete;
  JournalOperationScope& operator=(const JournalOperationScope&) = delete;

 private:
  Log* log_;
};

}  // namespace opal
