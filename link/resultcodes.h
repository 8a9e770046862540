#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "link/showntext.h"

namespace opal {

// Every result code once: its given name, its number as the printer's protocol and the forms use
// it (signed 16 bits), and the text a technician reads for it ("" where there is none).
#define OPAL_RESULT_CODES(X)                                                                    \
  X(PORT_OK, 1, "")                                                                             \
  X(ERR_PORT_NOT_OPEN, -105, OPAL_TEXT("Core", "Cannot open port."))                            \
  X(ERR_SEND_TIMEOUT, -103, OPAL_TEXT("Core", "Transmission error"))                            \
  X(ERR_SEND_COUNT, -81, OPAL_TEXT("Core", "Transmission error"))                               \
  X(ERR_RECEIVE_TIMEOUT, -104, OPAL_TEXT("Core", "Receive error"))                              \
  X(ERR_RECEIVE_COUNT, -82, OPAL_TEXT("Core", "Receive error"))                                 \
  X(ERR_BAD_REPLY, -8193, OPAL_TEXT("Core", "Receive error"))                                   \
  /* Another program holds the printer's device (or the virtual printer's folder). */           \
  X(ERR_PORT_BUSY, -106, OPAL_TEXT("Core", "The printer is in use by another program."))        \
  X(ERR_HEADID_INVALID, 0x1000, OPAL_TEXT("Core", "Head ID is invalid."))                       \
  X(ERR_HEADID_LENGTH, 0x1001, OPAL_TEXT("Core", "The Number of digit is wrong."))              \
  /* A wrong character at position N of the head ID. */                                         \
  X(ERR_HEADID_CHARACTER_1, 0x1002, OPAL_TEXT("Core", "First Digit is wrong."))                 \
  X(ERR_HEADID_CHARACTER_2, 0x1003, OPAL_TEXT("Core", "Second Digit is wrong."))                \
  X(ERR_HEADID_CHARACTER_3, 0x1004, OPAL_TEXT("Core", "Third Digit is wrong."))                 \
  X(ERR_HEADID_CHARACTER_4, 0x1005, OPAL_TEXT("Core", "Fourth Digit is wrong."))                \
  X(ERR_HEADID_CHARACTER_5, 0x1006, OPAL_TEXT("Core", "Fifth Digit is wrong."))                 \
  X(ERR_HEADID_CHARACTER_6, 0x1007, OPAL_TEXT("Core", "6th Digit is wrong."))                   \
  X(ERR_HEADID_CHARACTER_7, 0x1008, OPAL_TEXT("Core", "7th Digit is wrong."))                   \
  X(ERR_HEADID_CHARACTER_8, 0x1009, OPAL_TEXT("Core", "8th Digit is wrong."))                   \
  X(ERR_HEADID_CHARACTER_9, 0x100A, OPAL_TEXT("Core", "9th Digit is wrong."))                   \
  X(ERR_HEADID_CHARACTER_10, 0x100B, OPAL_TEXT("Core", "10th Digit is wrong."))                 \
  X(ERR_HEADID_CHARACTER_11, 0x100C, OPAL_TEXT("Core", "11th Digit is wrong."))                 \
  X(ERR_HEADID_CHARACTER_12, 0x100D, OPAL_TEXT("Core", "12th Digit is wrong."))                 \
  X(ERR_HEADID_CHARACTER_13, 0x100E, OPAL_TEXT("Core", "13th Digit is wrong."))                 \
  X(ERR_HEADID_CHECK, 0x100F, OPAL_TEXT("Core", "Check ID is invalid."))                        \
  /* A Bi-D value outside what its row takes, one code per row; no message text. */             \
  X(ERR_BID_RANGE_MS_BLACK, 0x2001, "")                                                         \
  X(ERR_BID_RANGE_MS_COLOR, 0x2002, "")                                                         \
  X(ERR_BID_RANGE_6PL_BLACK, 0x2003, "")                                                        \
  X(ERR_BID_RANGE_6PL_COLOR, 0x2004, "")                                                        \
  X(ERR_BID_RANGE_4PL_BLACK, 0x2005, "")                                                        \
  X(ERR_BID_RANGE_4PL_COLOR, 0x2006, "")                                                        \
  X(ERR_USBID_LENGTH, 0x3001, "")                                                               \
  X(ERR_USBID_CHARACTER, 0x3002, "")                                                            \
  /* The local date lies outside 1999-2034, which the stamp's year character cannot express. */ \
  X(ERR_USBID_YEAR, 0x3003,                                                                     \
    OPAL_TEXT("Core",                                                                           \
              "The computer's date is outside 1999 to 2034. Set the clock and try again."))     \
  X(ERR_USBID_STORED, 0x3011, "")                                                               \
  X(ERR_CHIP_MAKER, 0x4000, "")                                                                 \
  X(ERR_CHIP_EXPIRED, 0x4001, "")                                                               \
  /* The chip's date bytes name no day of the calendar; a report built on them is nonsense. */  \
  X(ERR_CHIP_DATE, 0x4002, OPAL_TEXT("Core", "The ink cartridge's chip holds no valid date."))  \
  /* A used-ink byte above 100 %: the chip holds no reading a report could show. */             \
  X(ERR_CHIP_DATA, 0x4003, OPAL_TEXT("Core", "The ink cartridge's chip holds invalid data."))   \
  /* What the forms show for any failure of printing all chip information. */                   \
  X(ERR_CHIP_PRINT, 0x5003, "")                                                                 \
  X(ERR_PRINTER_NOT_BACK, 0x6001,                                                               \
    OPAL_TEXT("Core", "The printer did not come back after the liquid exchange."))              \
  /* A byte written to the EEPROM reads back different, or cannot be read back at all. */       \
  X(ERR_WRITE_NOT_HELD, 0x7001,                                                                 \
    OPAL_TEXT("Core", "Verify error: the printer does not hold what was written."))             \
  X(ERR_WRITE_UNREADABLE, 0x7002,                                                               \
    OPAL_TEXT("Core", "Verify error: what was written cannot be read back."))                   \
  /* The record of a write could not be kept, so the write was not made. */                     \
  X(ERR_JOURNAL, 0x7003,                                                                        \
    OPAL_TEXT("Core",                                                                           \
              "The service journal cannot be written; nothing was written to the printer."))

// What an operation on the printer gave: PORT_OK for success, a port or reply failure, or a code
// of the operation's own checks. Dropping a result is a compile error; where one is dropped on
// purpose, DropResult says so at the call.
enum class [[nodiscard]] Result : int16_t{
#define OPAL_RESULT_ENUMERATOR(name, number, text) name = (number),
    OPAL_RESULT_CODES(OPAL_RESULT_ENUMERATOR)
#undef OPAL_RESULT_ENUMERATOR
};
using enum Result;

// For a result nobody can act on, e.g. closing a port that is going away anyway.
constexpr void DropResult(Result /*unused*/) noexcept {}

constexpr int16_t Code(Result result) noexcept {
  return static_cast<int16_t>(result);
}

// The code `offset` places after `first`, for the codes that come in a run.
constexpr Result ResultAfter(Result first, std::size_t offset) noexcept {
  return static_cast<Result>(Code(first) + static_cast<int>(offset));
}

// A wrong character at position N (1 to 13) of the head ID.
constexpr Result HeadIdCharacterError(std::size_t position) noexcept {
  return ResultAfter(ERR_HEADID_LENGTH, position);
}

// The one table that turns a result code into the text a technician reads; unknown codes give "".
std::string ResultMessage(Result code);
// The given name, "PORT_OK", "ERR_WRITE_NOT_HELD"; the number for a code that has none.
std::string ResultName(Result code);
// The name, for logs and test failures.
std::ostream& operator<<(std::ostream& out, Result result);

}  // namespace opal
