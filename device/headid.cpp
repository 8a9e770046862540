#include "device/headid.h"

#include <algorithm>
#include <utility>

namespace opal {
namespace {

constexpr std::string_view kSymbols = "ABCDEFGHJKLMNOPQRSTUVWXYZ123456789%*+-$:";
constexpr uint8_t kGroupBFirst = 32;
constexpr uint8_t kGroupBLast = 68;
constexpr uint8_t kDerivedSum = 0x2C;
constexpr uint8_t kCheckModulus = 31;
// The first of positions 8 to 12, whose bytes with the derived byte always add up to kDerivedSum.
constexpr std::size_t kGroupBStart = 7;

// Position 2 holds a small number: "Z" for 0, the digit itself for the rest.
enum class Map { GroupA, GroupB, Second };

struct Position {
  Map map;
  uint8_t lowest;
  uint8_t highest;
  uint8_t address;
};

constexpr std::array<Position, kHeadIdDataLength> kPositions{{
    {Map::GroupA, 1, 32, 0x3F},
    {Map::Second, 0, 6, 0x45},
    {Map::GroupA, 1, 37, 0x40},
    {Map::GroupA, 1, 34, 0x41},
    {Map::GroupA, 1, 40, 0x42},
    {Map::GroupA, 1, 34, 0x43},
    {Map::GroupA, 1, 34, 0x44},
    {Map::GroupB, kGroupBFirst, kGroupBLast, 0x47},
    {Map::GroupB, kGroupBFirst, kGroupBLast, 0x4A},
    {Map::GroupB, kGroupBFirst, kGroupBLast, 0x48},
    {Map::GroupB, kGroupBFirst, kGroupBLast, 0x4B},
    {Map::GroupB, kGroupBFirst, kGroupBLast, 0x49},
}};

constexpr uint8_t kNotASymbol = 0xFF;

uint8_t Decode(Map map, uint8_t symbol) {
  switch (map) {
    case Map::GroupA:
      return DecodeGroupA(symbol);
    case Map::GroupB:
      return DecodeGroupB(symbol);
    case Map::Second:
      if (symbol == 'Z') return 0;
      return symbol >= '1' && symbol <= '9' ? static_cast<uint8_t>(symbol - '0') : kNotASymbol;
  }
  return kNotASymbol;
}

char Encode(Map map, uint8_t value) {
  switch (map) {
    case Map::GroupA:
      return static_cast<char>(EncodeGroupA(value));
    case Map::GroupB:
      return static_cast<char>(EncodeGroupB(value));
    case Map::Second:
      return value == 0 ? 'Z' : static_cast<char>(value + '0');
  }
  return static_cast<char>(value);
}

}  // namespace

uint8_t DecodeGroupA(uint8_t symbol) {
  const auto place = kSymbols.find(static_cast<char>(symbol));
  return place == std::string_view::npos ? 0 : static_cast<uint8_t>(place + 1);
}

uint8_t EncodeGroupA(uint8_t value) {
  return value >= 1 && value <= kSymbols.size() ? static_cast<uint8_t>(kSymbols[value - 1u])
                                                : value;
}

uint8_t DecodeGroupB(uint8_t symbol) {
  const auto place = kSymbols.find(static_cast<char>(symbol));
  return place <= kGroupBLast - kGroupBFirst ? static_cast<uint8_t>(place + kGroupBFirst) : 0;
}

uint8_t EncodeGroupB(uint8_t value) {
  return value >= kGroupBFirst && value <= kGroupBLast
             ? static_cast<uint8_t>(kSymbols[value - kGroupBFirst])
             : value;
}

uint8_t HeadIdCheckValue(const HeadIdValues& values) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < values.size(); ++i) sum += 2 * (i + 1) * values[i];
  return static_cast<uint8_t>(kCheckModulus - sum % kCheckModulus);
}

Result DecodeHeadId(std::string_view text, HeadIdValues& values) {
  if (text.size() != kHeadIdLength) return ERR_HEADID_LENGTH;
  HeadIdValues decoded{};
  for (std::size_t i = 0; i < kPositions.size(); ++i) {
    const Position& position = kPositions[i];
    decoded[i] = Decode(position.map, static_cast<uint8_t>(text[i]));
    if (decoded[i] < position.lowest || decoded[i] > position.highest) {
      return HeadIdCharacterError(i + 1);
    }
  }
  if (DecodeGroupA(static_cast<uint8_t>(text[kHeadIdDataLength])) != HeadIdCheckValue(decoded)) {
    return ERR_HEADID_CHECK;
  }
  values = decoded;
  return PORT_OK;
}

std::string_view HeadIdAsShown(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

Result THeadIdCoder::WriteHeadId(std::string_view text) {
  HeadIdValues values{};
  if (const Result valid = DecodeHeadId(text, values); valid != PORT_OK) return valid;
  uint8_t derived = kDerivedSum;
  for (std::size_t i = kGroupBStart; i < values.size(); ++i) derived -= values[i];
  std::array<EepromWrite, kHeadIdDataLength + 1> writes{};
  writes[0] = {kHeadIdDerivedAddress, derived};
  for (std::size_t i = 0; i < kPositions.size(); ++i) {
    writes[i + 1] = {kPositions[i].address, values[i]};
  }
  return command_.WriteEepromVerified(writes);
}

Result THeadIdCoder::ReadHeadId(std::string& text) {
  std::array<uint8_t, kEepromSize> stored{};
  for (const Position& position : kPositions) {
    const Result result = command_.EepromReadByte(position.address, stored[position.address]);
    if (result != PORT_OK) return result;
  }
  text = HeadIdFromBytes([&](uint8_t address) { return stored[address]; });
  return PORT_OK;
}

std::string HeadIdFromBytes(const std::function<uint8_t(uint8_t address)>& byte_at) {
  HeadIdValues values{};
  std::string text(kHeadIdLength, '\0');
  for (std::size_t i = 0; i < kPositions.size(); ++i) {
    values[i] = byte_at(kPositions[i].address);
    text[i] = Encode(kPositions[i].map, values[i]);
  }
  text[kHeadIdDataLength] = static_cast<char>(EncodeGroupA(HeadIdCheckValue(values)));
  return text;
}

HeadIdValues HeadIdValuesOf(std::string_view text) {
  HeadIdValues values{};
  for (std::size_t i = 0; i < kPositions.size() && i < text.size(); ++i) {
    values[i] = Decode(kPositions[i].map, static_cast<uint8_t>(text[i]));
  }
  return values;
}

std::array<uint8_t, kHeadIdDataLength> HeadIdAddresses() {
  std::array<uint8_t, kHeadIdDataLength> addresses{};
  std::transform(kPositions.begin(), kPositions.end(), addresses.begin(),
                 [](const Position& position) { return position.address; });
  return addresses;
}

std::array<std::string, 3> HeadIdWrittenLines(std::string_view id) {
  return {std::string(kHeadIdWrittenFirst), "\"" + std::string(id) + "\"",
          std::string(kWrittenInEeprom)};
}

}  // namespace opal
