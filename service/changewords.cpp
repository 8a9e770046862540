#include "service/changewords.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "device/bid.h"
#include "device/datamanu.h"
#include "device/headid.h"
#include "device/usbid.h"
#include "maintenance/maintenance.h"

namespace opal {
namespace {

// One adjustment kept in the EEPROM: its bytes, and how a value of them reads.
struct Field {
  std::string name;
  std::vector<uint8_t> addresses;
  std::function<std::string(const std::vector<uint8_t>& bytes)> text;
};

std::vector<uint8_t> Span(uint8_t first, std::size_t count) {
  std::vector<uint8_t> addresses(count);
  for (std::size_t k = 0; k < count; ++k) addresses[k] = static_cast<uint8_t>(first + k);
  return addresses;
}

std::string Characters(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = [] {
    std::vector<Field> all;
    for (const BidRow& row : kBidRows) {
      all.push_back({"Bi-D " + std::string(row.label),
                     {BidAddress(row.kind, row.ink_group)},
                     [](const std::vector<uint8_t>& bytes) {
                       return std::to_string(static_cast<int8_t>(bytes[0]));
                     }});
    }
    all.push_back({"protection counter",
                   {kCounterHighAddress, kCounterLowAddress},
                   [](const std::vector<uint8_t>& bytes) {
                     return std::to_string(bytes[0] * 256 + bytes[1]);
                   }});
    std::vector<uint8_t> head{kHeadIdDerivedAddress};
    for (const uint8_t address : HeadIdAddresses()) head.push_back(address);
    all.push_back({"head ID", head, [head](const std::vector<uint8_t>& bytes) {
                     return HeadIdFromBytes([&](uint8_t address) {
                       const auto at = std::find(head.begin(), head.end(), address);
                       return at == head.end() ? uint8_t{0} : bytes[at - head.begin()];
                     });
                   }});
    all.push_back({"USB ID", Span(kUsbIdAddress, kUsbIdLength), Characters});
    all.push_back({"USB ID stamp", Span(kUsbIdStampAddress, kUsbIdStampLength), Characters});
    return all;
  }();
  return fields;
}

const JournalChange* ChangeAt(std::span<const JournalChange> changes, uint8_t address) {
  const auto found = std::find_if(changes.begin(), changes.end(),
                                  [&](const JournalChange& c) { return c.address == address; });
  return found == changes.end() ? nullptr : &*found;
}

// The field's bytes as `side` of the changes holds them; nullopt when a byte of it is missing.
std::optional<std::vector<uint8_t>> FieldBytes(const Field& field,
                                               std::span<const JournalChange> changes,
                                               uint8_t JournalChange::*side) {
  std::vector<uint8_t> bytes;
  for (const uint8_t address : field.addresses) {
    const JournalChange* change = ChangeAt(changes, address);
    if (!change) return std::nullopt;
    bytes.push_back(change->*side);
  }
  return bytes;
}

// The field's text before and after when the changes hold every byte of it; empty when none
// moved.
std::optional<std::string> FieldWords(const Field& field, std::span<const JournalChange> changes) {
  const auto before = FieldBytes(field, changes, &JournalChange::before);
  if (!before) return std::nullopt;
  const auto after = FieldBytes(field, changes, &JournalChange::after);
  if (*before == *after) return std::string();
  return field.name + " " + field.text(*before) + " → " + field.text(*after);
}

std::vector<Field>::const_iterator FieldOf(uint8_t address) {
  return std::find_if(Fields().begin(), Fields().end(), [&](const Field& f) {
    return std::find(f.addresses.begin(), f.addresses.end(), address) != f.addresses.end();
  });
}

}  // namespace

std::vector<std::string> ChangesInWords(std::span<const JournalChange> changes) {
  std::vector<std::string> words;
  std::vector<uint8_t> named;
  for (const JournalChange& change : changes) {
    if (std::find(named.begin(), named.end(), change.address) != named.end()) continue;
    const auto field = FieldOf(change.address);
    const std::optional<std::string> whole =
        field == Fields().end() ? std::nullopt : FieldWords(*field, changes);
    if (whole) {
      named.insert(named.end(), field->addresses.begin(), field->addresses.end());
      if (!whole->empty()) words.push_back(*whole);
      continue;
    }
    if (change.before == change.after) continue;
    words.push_back("EEPROM " + ByteToHexPair(change.address) + ": " +
                    ByteToHexPair(change.before) + " → " + ByteToHexPair(change.after));
  }
  return words;
}

std::string LeftBehindLine(std::span<const JournalChange> left_behind) {
  std::string names;
  std::vector<uint8_t> named;
  for (const JournalChange& change : left_behind) {
    const auto field = FieldOf(change.address);
    std::string name;
    if (field == Fields().end()) {
      name =
          "EEPROM " + ByteToHexPair(change.address) + " (was " + ByteToHexPair(change.before) + ")";
    } else {
      if (std::find(named.begin(), named.end(), field->addresses.front()) != named.end()) continue;
      named.push_back(field->addresses.front());
      const auto before = FieldBytes(*field, left_behind, &JournalChange::before);
      name = field->name + (before ? " (was " + field->text(*before) + ")" : "");
    }
    names += (names.empty() ? "" : ", ") + name;
  }
  if (names.empty()) return "";
  return "Not in place as meant: " + names + ".";
}

}  // namespace opal
