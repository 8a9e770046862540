#include "device/usbid.h"

#include <algorithm>
#include <vector>

namespace opal {
namespace {

constexpr int kFirstYear = 1999;
constexpr int kFirstLetterYear = 2009;
constexpr int kLastYear = 2034;
constexpr int kHalf = 30;

char StampDigit(int value) {
  return static_cast<char>(value < 10 ? '0' + value : 'A' + (value - 10));
}

char YearCharacter(int year) {
  if (year == kFirstYear) return '9';
  return year < kFirstLetterYear ? StampDigit(year - 2000)
                                 : static_cast<char>('A' + (year - kFirstLetterYear));
}

bool IsUpperOrDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

bool IsLetterOrDigit(char c) {
  return IsUpperOrDigit(c) || (c >= 'a' && c <= 'z');
}

}  // namespace

Result CheckUsbId(std::string_view id) {
  if (id.size() != kUsbIdLength) return ERR_USBID_LENGTH;
  return std::all_of(id.begin(), id.end(), IsUpperOrDigit) ? PORT_OK : ERR_USBID_CHARACTER;
}

std::optional<std::string> UsbIdStamp(const std::tm& local) {
  const int year = local.tm_year + 1900;
  if (year < kFirstYear || year > kLastYear) return std::nullopt;
  // A leap second counts as the last second of its minute.
  const int second = std::min(local.tm_sec, 59);
  const bool late_minute = local.tm_min >= kHalf;
  const bool late_second = second >= kHalf;
  return std::string{
      YearCharacter(year),
      StampDigit(local.tm_mon + 1),
      StampDigit(local.tm_mday),
      StampDigit(local.tm_hour),
      StampDigit(local.tm_min - (late_minute ? kHalf : 0)),
      StampDigit(second - (late_second ? kHalf : 0)),
      static_cast<char>('0' + 2 * late_minute + late_second),
      '0',
  };
}

std::vector<EepromWrite> UsbIdWrites(uint8_t address, std::string_view characters) {
  std::vector<EepromWrite> writes;
  for (const char c : characters) writes.push_back({address++, static_cast<uint8_t>(c)});
  return writes;
}

Result TUsbIdStore::WriteCharacters(uint8_t address, std::string_view characters) {
  const auto writes = UsbIdWrites(address, characters);
  for (const EepromWrite& write : writes) {
    if (const Result sent = command_.EepromWriteByte(write.address, write.value); sent != PORT_OK) {
      return sent;
    }
  }
  return command_.VerifyEeprom(writes);
}

Result TUsbIdStore::WriteUsbId(std::string_view id, std::string& stamp) {
  if (const Result valid = CheckUsbId(id); valid != PORT_OK) return valid;
  // Checked before the ID goes out, so a clock the stamp cannot express never leaves a new ID
  // beside an old stamp.
  const auto before = UsbIdStamp(clock_.LocalTime());
  if (!before) return ERR_USBID_YEAR;
  // The ID and its stamp are one change: recorded whole before the first byte, so a write cut
  // between them is known for what it left.
  const std::string planned = std::string(id) + *before;
  const WriteClearance clearance = command_.BeginWrites(UsbIdWrites(kUsbIdAddress, planned));
  if (clearance.result != PORT_OK) return clearance.result;
  if (!clearance.needed) {
    stamp = *before;
    return command_.EndWrites(PORT_OK);
  }
  if (const Result result = WriteCharacters(kUsbIdAddress, id); result != PORT_OK) {
    return command_.EndWrites(result);
  }
  // Only the last moments of 2034 can run out during the ID writes; the earlier reading is true.
  stamp = UsbIdStamp(clock_.LocalTime()).value_or(*before);
  if (stamp != *before) {
    const WriteClearance moved = command_.BeginWrites(UsbIdWrites(kUsbIdStampAddress, stamp));
    if (moved.result != PORT_OK) return command_.EndWrites(moved.result);
  }
  return command_.EndWrites(WriteCharacters(kUsbIdStampAddress, stamp));
}

Result TUsbIdStore::ReadUsbId(std::string& text) {
  text.clear();
  for (std::size_t k = 0; k < kStoredUsbIdLength; ++k) {
    uint8_t value = 0;
    const Result result = command_.EepromReadByte(static_cast<uint8_t>(kUsbIdAddress + k), value);
    if (result != PORT_OK) return result;
    text.push_back(static_cast<char>(value));
    if (!IsLetterOrDigit(text.back())) return ERR_USBID_STORED;
  }
  return PORT_OK;
}

std::string UsbIdWrittenLine(std::string_view id, std::string_view stamp) {
  return std::string(kUsbIdWrittenPrefix) + std::string(id) + std::string(stamp) +
         std::string(kWrittenInEeprom);
}

}  // namespace opal
