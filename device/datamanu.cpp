#include "device/datamanu.h"

#include <algorithm>

namespace opal {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool HexPairToByte(std::string_view text, uint8_t& value) {
  if (text.size() < 2) return false;
  const int high = HexValue(text[0]);
  const int low = HexValue(text[1]);
  if (high < 0 || low < 0) return false;
  value = static_cast<uint8_t>(high * 16 + low);
  return true;
}

std::string ByteToHexPair(uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return upper;
}

}  // namespace opal
