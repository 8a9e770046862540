#include "link/resultcodes.h"

#include <array>
#include <utility>

namespace opal {

std::string ResultMessage(Result code) {
  static constexpr std::array<std::pair<int, const char*>, 29> kMessages{{
      {0x1000, "Head ID is invalid."},
      {0x1001, "The Number of digit is wrong."},
      {0x1002, "First Digit is wrong."},
      {0x1003, "Second Digit is wrong."},
      {0x1004, "Third Digit is wrong."},
      {0x1005, "Fourth Digit is wrong."},
      {0x1006, "Fifth Digit is wrong."},
      {0x1007, "6th Digit is wrong."},
      {0x1008, "7th Digit is wrong."},
      {0x1009, "8th Digit is wrong."},
      {0x100A, "9th Digit is wrong."},
      {0x100B, "10th Digit is wrong."},
      {0x100C, "11th Digit is wrong."},
      {0x100D, "12th Digit is wrong."},
      {0x100E, "13th Digit is wrong."},
      {0x100F, "Check ID is invalid."},
      {0x3003, "The computer's date is outside 1999 to 2034. Set the clock and try again."},
      {0x4002, "The ink cartridge's chip holds no valid date."},
      {0x6001, "The printer did not come back after the liquid exchange."},
      {ERR_WRITE_NOT_HELD, "Verify error: the printer does not hold what was written."},
      {ERR_WRITE_UNREADABLE, "Verify error: what was written cannot be read back."},
      {ERR_PORT_BUSY, "The printer is in use by another program."},
      {ERR_BAD_REPLY, "Receive error"},
      {ERR_PORT_NOT_OPEN, "Cannot open port."},
      {ERR_RECEIVE_TIMEOUT, "Receive error"},
      {ERR_SEND_TIMEOUT, "Transmission error"},
      {ERR_RECEIVE_COUNT, "Receive error"},
      {ERR_SEND_COUNT, "Transmission error"},
      {0x4003, "The ink cartridge's chip holds invalid data."},
  }};
  for (const auto& [value, text] : kMessages) {
    if (value == code) return text;
  }
  return {};
}

}  // namespace opal
