#include "service/journaloperations.h"

namespace opal {

std::string_view JournalOperationName(JournalOperation operation) {
  switch (operation) {
    case JournalOperation::HeadIdWrite:
      return "head ID write";
    case JournalOperation::UsbIdWrite:
      return "USB ID write";
    case JournalOperation::CounterClear:
      return "counter clear";
    case JournalOperation::DataReset:
      return "data reset";
    case JournalOperation::IdentityWrite:
      return "identity write";
    case JournalOperation::EepromByteWrite:
      return "EEPROM byte write";
    case JournalOperation::EepromRestore:
      return "EEPROM restore";
    case JournalOperation::BidWrite:
      return "Bi-D write";
    case JournalOperation::BidCheckPrint:
      return "Bi-D check print";
    case JournalOperation::BidPatternPrint:
      return "Bi-D pattern print";
    case JournalOperation::A4CheckPrint:
      return "A4 check sheet print";
    case JournalOperation::ValuesRestore:
      return "restore of the printer's values";
  }
  return kUnnamedOperation;
}

}  // namespace opal
