#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace opal {

// What an operation on the printer gave: 1 for success, a port or reply failure, or a code of
// the operation's own checks. Every code is named in this one header and has its text, if any,
// in ResultMessage. Dropping a result is a compile error; where one is dropped on purpose,
// DropResult says so at the call.
class [[nodiscard]] Result {
 public:
  // Codes arrive as the signed 16-bit numbers the printer's protocol and the forms use.
  constexpr Result(int16_t code) noexcept : code_(code) {}  // NOLINT(google-explicit-constructor)
  constexpr int16_t Code() const noexcept { return code_; }
  friend constexpr bool operator==(Result, Result) noexcept = default;

 private:
  int16_t code_;
};

// For a result nobody can act on, e.g. closing a port that is going away anyway.
constexpr void DropResult(Result /*unused*/) noexcept {}

inline constexpr Result PORT_OK = 1;
inline constexpr Result ERR_PORT_NOT_OPEN = -105;
inline constexpr Result ERR_SEND_TIMEOUT = -103;
inline constexpr Result ERR_SEND_COUNT = -81;
inline constexpr Result ERR_RECEIVE_TIMEOUT = -104;
inline constexpr Result ERR_RECEIVE_COUNT = -82;
inline constexpr Result ERR_BAD_REPLY = -8193;
// Another program holds the printer's device (or the virtual printer's folder).
inline constexpr Result ERR_PORT_BUSY = -106;

inline constexpr Result ERR_HEADID_INVALID = 0x1000;
inline constexpr Result ERR_HEADID_LENGTH = 0x1001;
inline constexpr Result ERR_HEADID_CHECK = 0x100F;
// A wrong character at position N of the head ID.
constexpr Result HeadIdCharacterError(std::size_t position) noexcept {
  return static_cast<int16_t>(ERR_HEADID_LENGTH.Code() + position);
}

// A Bi-D value outside what its row takes; one code per row from here up. No message text.
inline constexpr Result ERR_BID_RANGE_FIRST = 0x2001;

inline constexpr Result ERR_USBID_LENGTH = 0x3001;
inline constexpr Result ERR_USBID_CHARACTER = 0x3002;
// The local date lies outside 1999-2034, which the stamp's year character cannot express.
inline constexpr Result ERR_USBID_YEAR = 0x3003;
inline constexpr Result ERR_USBID_STORED = 0x3011;

inline constexpr Result ERR_CHIP_MAKER = 0x4000;
inline constexpr Result ERR_CHIP_EXPIRED = 0x4001;
// The chip's date bytes name no day of the calendar; a report built on them would be nonsense.
inline constexpr Result ERR_CHIP_DATE = 0x4002;
// A used-ink byte above 100 %: the chip holds no reading a report could show.
inline constexpr Result ERR_CHIP_DATA = 0x4003;
// What the forms show for any failure of printing all chip information.
inline constexpr Result ERR_CHIP_PRINT = 0x5003;

inline constexpr Result ERR_PRINTER_NOT_BACK = 0x6001;

// A byte written to the EEPROM reads back different, or cannot be read back at all.
inline constexpr Result ERR_WRITE_NOT_HELD = 0x7001;
inline constexpr Result ERR_WRITE_UNREADABLE = 0x7002;
// The record of a write could not be kept, so the write was not made.
inline constexpr Result ERR_JOURNAL = 0x7003;

// The code as a number, for logs and test failures.
std::ostream& operator<<(std::ostream& out, Result result);

// The one table that turns a result code into the text a technician reads; unknown codes give "".
std::string ResultMessage(Result code);

}  // namespace opal
