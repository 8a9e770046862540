#include "link/resultcodes.h"

#include <array>
#include <ostream>

namespace opal {
namespace {

struct CodeEntry {
  Result code;
  std::string_view name;
  std::string_view message;
};

constexpr std::array kCodes{
#define OPAL_RESULT_ENTRY(name, number, text) CodeEntry{name, #name, text},
    OPAL_RESULT_CODES(OPAL_RESULT_ENTRY)
#undef OPAL_RESULT_ENTRY
};

constexpr bool NumbersAreUnique() {
  for (std::size_t i = 0; i < kCodes.size(); ++i) {
    for (std::size_t j = i + 1; j < kCodes.size(); ++j) {
      if (kCodes[i].code == kCodes[j].code) return false;
    }
  }
  return true;
}
static_assert(NumbersAreUnique(), "two result codes share a number");

const CodeEntry* EntryOf(Result code) {
  for (const CodeEntry& entry : kCodes) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

}  // namespace

std::string ResultMessage(Result code) {
  const CodeEntry* entry = EntryOf(code);
  return entry ? std::string(entry->message) : std::string();
}

std::string ResultName(Result code) {
  const CodeEntry* entry = EntryOf(code);
  return entry ? std::string(entry->name) : std::to_string(Code(code));
}

std::ostream& operator<<(std::ostream& out, Result result) {
  return out << ResultName(result);
}

}  // namespace opal
