#include "link/resultcodes.h"

#include <array>
#include <ostream>
#include <utility>

namespace opal {

std::string ResultMessage(Result code) {
  static constexpr std::array<std::pair<Result, const char*>, 30> kMessages{{
      {ERR_HEADID_INVALID, "Head ID is invalid."},
      {ERR_HEADID_LENGTH, "The Number of digit is wrong."},
      {HeadIdCharacterError(1), "First Digit is wrong."},
      {HeadIdCharacterError(2), "Second Digit is wrong."},
      {HeadIdCharacterError(3), "Third Digit is wrong."},
      {HeadIdCharacterError(4), "Fourth Digit is wrong."},
      {HeadIdCharacterError(5), "Fifth Digit is wrong."},
      {HeadIdCharacterError(6), "6th Digit is wrong."},
      {HeadIdCharacterError(7), "7th Digit is wrong."},
      {HeadIdCharacterError(8), "8th Digit is wrong."},
      {HeadIdCharacterError(9), "9th Digit is wrong."},
      {HeadIdCharacterError(10), "10th Digit is wrong."},
      {HeadIdCharacterError(11), "11th Digit is wrong."},
      {HeadIdCharacterError(12), "12th Digit is wrong."},
      {HeadIdCharacterError(13), "13th Digit is wrong."},
      {ERR_HEADID_CHECK, "Check ID is invalid."},
      {ERR_USBID_YEAR, "The computer's date is outside 1999 to 2034. Set the clock and try again."},
      {ERR_CHIP_DATE, "The ink cartridge's chip holds no valid date."},
      {ERR_CHIP_DATA, "The ink cartridge's chip holds invalid data."},
      {ERR_PRINTER_NOT_BACK, "The printer did not come back after the liquid exchange."},
      {ERR_WRITE_NOT_HELD, "Verify error: the printer does not hold what was written."},
      {ERR_WRITE_UNREADABLE, "Verify error: what was written cannot be read back."},
      {ERR_JOURNAL, "The service journal cannot be written; nothing was written to the printer."},
      {ERR_PORT_BUSY, "The printer is in use by another program."},
      {ERR_BAD_REPLY, "Receive error"},
      {ERR_PORT_NOT_OPEN, "Cannot open port."},
      {ERR_RECEIVE_TIMEOUT, "Receive error"},
      {ERR_SEND_TIMEOUT, "Transmission error"},
      {ERR_RECEIVE_COUNT, "Receive error"},
      {ERR_SEND_COUNT, "Transmission error"},
  }};
  for (const auto& [value, text] : kMessages) {
    if (value == code) return text;
  }
  return {};
}

std::ostream& operator<<(std::ostream& out, Result result) {
  return out << result.Code();
}

}  // namespace opal
