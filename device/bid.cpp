#include "device/bid.h"

#include <charconv>

#include "device/eeprom.h"

namespace opal {
namespace {

constexpr uint8_t kFirstBlackAddress = 0x33;
constexpr uint8_t kColorAddressOffset = 3;

int KindIndex(BidKind kind) {
  return static_cast<int>(kind) - 1;
}

bool IsColor(uint8_t ink_group) {
  return ink_group != INK_BLACK;
}

}  // namespace

const BidRow* BidRowKeyed(std::string_view key) {
  for (const BidRow& row : kBidRows) {
    if (row.key == key) return &row;
  }
  return nullptr;
}

std::size_t BidRowIndex(BidKind kind, uint8_t ink_group) {
  return static_cast<std::size_t>(2 * KindIndex(kind) + (IsColor(ink_group) ? 1 : 0));
}

uint8_t BidAddress(BidKind kind, uint8_t ink_group) {
  return static_cast<uint8_t>(kFirstBlackAddress + KindIndex(kind) +
                              (IsColor(ink_group) ? kColorAddressOffset : 0));
}

Result BidOutOfRangeCode(BidKind kind, uint8_t ink_group) {
  return ResultAfter(ERR_BID_RANGE_MS_BLACK, BidRowIndex(kind, ink_group));
}

int BidValueFromText(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return kBidNotANumber;
  text.remove_prefix(first);
  const bool negative = text.front() == '-';
  if (negative || text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() < '0' || text.front() > '9') return kBidNotANumber;
  int magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error != std::errc() || end != text.data() + text.size()) return kBidNotANumber;
  return negative ? -magnitude : magnitude;
}

bool BidValueInRange(int value) {
  return value >= kBidValueMin && value <= kBidValueMax;
}

Result TBidAdjustment::ReadBidValue(uint8_t ink_group, BidKind kind, std::string& text) {
  uint8_t stored = 0;
  const Result result = command_.EepromReadByte(BidAddress(kind, ink_group), stored);
  if (result != PORT_OK) return result;
  text = std::to_string(static_cast<int8_t>(stored));
  return PORT_OK;
}

Result TBidAdjustment::WriteBidValue(uint8_t ink_group, BidKind kind, std::string_view text) {
  const int value = BidValueFromText(text);
  if (!BidValueInRange(value)) return BidOutOfRangeCode(kind, ink_group);
  const uint8_t kind_number = static_cast<uint8_t>(kind);
  const EepromWrite kept{BidAddress(kind, ink_group), static_cast<uint8_t>(value)};
  const WriteClearance clearance = command_.BeginWrites({&kept, 1});
  if (clearance.result != PORT_OK) return clearance.result;
  if (!clearance.needed) return command_.EndWrites(PORT_OK);
  const Result sent = IsColor(ink_group)
                          ? command_.SetBidValue(kind_number, kBidSlotUnchanged, value)
                          : command_.SetBidValue(kind_number, value, kBidSlotUnchanged);
  if (sent != PORT_OK) return command_.EndWrites(sent);
  return command_.EndWrites(command_.VerifyEeprom({&kept, 1}));
}

Result ReadAllBidValues(
    TBidAdjustment& bid,
    const std::function<void(std::size_t row, const std::string& text)>& on_value) {
  for (std::size_t row = 0; row < kBidRowCount; ++row) {
    std::string text;
    const Result result = bid.ReadBidValue(kBidRows[row].ink_group, kBidRows[row].kind, text);
    if (result != PORT_OK) return result;
    on_value(row, text);
  }
  return PORT_OK;
}

Result ReportPresentBidValues(TBidAdjustment& bid, const StatusReport& report) {
  return ReadAllBidValues(bid, [&](std::size_t row, const std::string& text) {
    const BidRow& shown = kBidRows[row];
    const std::string lead =
        std::string(IsColor(shown.ink_group) ? ", " : "") + std::string(shown.present_name) + " = ";
    const StatusMode mode = IsColor(shown.ink_group) ? StatusMode::Append
                            : row == 0               ? StatusMode::Plain
                                                     : StatusMode::NewLine;
    report(mode, lead);
    report(StatusMode::Append, text);
  });
}

Result WriteTickedBidValues(TBidAdjustment& bid, const std::array<BidEntry, kBidRowCount>& entries,
                            const StatusReport& report,
                            const std::function<void(std::size_t row)>& on_written) {
  Result first_failure = PORT_OK;
  StatusMode mode = StatusMode::Plain;
  for (std::size_t row = 0; row < kBidRowCount; ++row) {
    if (!entries[row].ticked) continue;
    const BidRow& written = kBidRows[row];
    const Result result = bid.WriteBidValue(written.ink_group, written.kind, entries[row].text);
    if (first_failure == PORT_OK) first_failure = result;
    if (result == PORT_OK) {
      report(mode, written.written_lead);
      report(StatusMode::Append, entries[row].text);
      report(StatusMode::Append, kWrittenInEeprom);
      on_written(row);
    } else {
      report(mode, bid.Message(result));
      if (result != BidOutOfRangeCode(written.kind, written.ink_group)) break;
    }
    mode = StatusMode::NewLine;
  }
  return first_failure;
}

Result ReadBidPair(TFactoryCommand& command, BidKind kind, BidPair& pair) {
  uint8_t black = 0;
  uint8_t color = 0;
  if (const Result read = command.EepromReadByte(BidAddress(kind, INK_BLACK), black);
      read != PORT_OK) {
    return read;
  }
  if (const Result read = command.EepromReadByte(BidAddress(kind, INK_COLOR), color);
      read != PORT_OK) {
    return read;
  }
  pair = {static_cast<int8_t>(black), static_cast<int8_t>(color)};
  return PORT_OK;
}

Result ReadBidPairs(TFactoryCommand& command, BidPairs& pairs) {
  BidPairs read{};
  for (std::size_t k = 0; k < kBidKinds.size(); ++k) {
    if (const Result result = ReadBidPair(command, kBidKinds[k], read[k]); result != PORT_OK) {
      return result;
    }
  }
  pairs = read;
  return PORT_OK;
}

namespace {

// The bytes a pair leaves in the EEPROM; values as sent in the Bi-D command may lie a little
// outside a signed byte, and the printer keeps their low byte.
std::array<EepromWrite, 2> PairWrites(BidKind kind, int black, int color) {
  return {{
      {BidAddress(kind, INK_BLACK), static_cast<uint8_t>(black & 0xFF)},
      {BidAddress(kind, INK_COLOR), static_cast<uint8_t>(color & 0xFF)},
  }};
}

// Sets both values of the dot kind and reads them back; whatever the sends give, the read-back
// decides. A slot sent as kBidSlotUnchanged is left alone, so a value of -128 cannot be set that
// way: its byte is written as well, or the printer would keep the value before it.
Result SetPairVerified(TFactoryCommand& command, BidKind kind, int black, int color,
                       std::span<const EepromWrite, 2> held) {
  if (command.SetBidValue(static_cast<uint8_t>(kind), black, color) == PORT_OK) {
    for (const EepromWrite& slot : held) {
      if (static_cast<int8_t>(slot.value) != kBidSlotUnchanged) continue;
      if (command.EepromWriteByte(slot.address, slot.value) != PORT_OK) break;
    }
  }
  return command.VerifyEeprom(held);
}

}  // namespace

Result TryBidPair(TFactoryCommand& command, BidKind kind, int black, int color) {
  const auto tried = PairWrites(kind, black, color);
  if (const WriteClearance clearance = command.BeginWrites(tried, WriteIntent::Try);
      clearance.result != PORT_OK) {
    return clearance.result;
  }
  return command.EndWrites(SetPairVerified(command, kind, black, color, tried));
}

Result RestoreBidPair(TFactoryCommand& command, BidKind kind, const BidPair& stored) {
  const auto held = PairWrites(kind, stored.black, stored.color);
  if (const WriteClearance clearance = command.BeginWrites(held); clearance.result != PORT_OK) {
    return clearance.result;
  }
  return command.EndWrites(SetPairVerified(command, kind, stored.black, stored.color, held));
}

}  // namespace opal
