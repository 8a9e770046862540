#pragma once

#include <cstdint>
#include <string>

namespace opal {

using Result = int16_t;

inline constexpr Result PORT_OK = 1;
inline constexpr Result ERR_PORT_NOT_OPEN = -105;
inline constexpr Result ERR_SEND_TIMEOUT = -103;
inline constexpr Result ERR_SEND_COUNT = -81;
inline constexpr Result ERR_RECEIVE_TIMEOUT = -104;
inline constexpr Result ERR_RECEIVE_COUNT = -82;
inline constexpr Result ERR_BAD_REPLY = -8193;
// Another program holds the printer's device (or the virtual printer's folder).
inline constexpr Result ERR_PORT_BUSY = -106;
// A byte written to the EEPROM reads back different, or cannot be read back at all.
inline constexpr Result ERR_WRITE_NOT_HELD = 0x7001;
inline constexpr Result ERR_WRITE_UNREADABLE = 0x7002;

// The one table that turns a result code into the text a technician reads; unknown codes give "".
std::string ResultMessage(Result code);

}  // namespace opal
