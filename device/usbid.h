#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "device/eeprom.h"
#include "link/factory.h"
#include "link/showntext.h"
#include "link/timing.h"

namespace opal {

inline constexpr std::size_t kUsbIdStampLength = 8;
// The ID and its stamp, as they are stored one after the other.
inline constexpr std::size_t kStoredUsbIdLength = kUsbIdLength + kUsbIdStampLength;
inline constexpr uint8_t kUsbIdStampAddress = kUsbIdAddress + kUsbIdLength;

// A check shows kUsbIdShownPrefix and the 18 stored characters; a write shows UsbIdWrittenLine.
inline constexpr std::string_view kUsbIdShownPrefix = OPAL_TEXT("Core", "USB ID = ");
inline constexpr std::string_view kUsbIdWrittenPrefix = "USB ID";
// kUsbIdWrittenPrefix, the ID, the stamp and kWrittenInEeprom with no blanks between them.
std::string UsbIdWrittenLine(std::string_view id, std::string_view stamp);

// Ten characters, each 0-9 or A-Z. Needs no printer, so callers can refuse input before
// connecting.
Result CheckUsbId(std::string_view id);

// The eight stamp characters for a local date and time; nullopt for a year outside 1999-2034.
std::optional<std::string> UsbIdStamp(const std::tm& local);

// The printer's serial number with the date and time it was written.
class TUsbIdStore {
 public:
  TUsbIdStore(TFactoryCommand& command, const Clock& clock) : command_(command), clock_(clock) {}

  // Sends nothing unless the ID is valid and the clock's year has a stamp character. The ID is
  // written and read back, then the stamp, taken from the clock after the ID is written and
  // handed back in `stamp`. A failing write or a byte the printer does not hold stops it; the
  // bytes before it stay written, and a new ID the printer does not hold gets no stamp.
  Result WriteUsbId(std::string_view id, std::string& stamp);
  // The 18 stored characters. On failure `text` holds the characters read so far; after
  // ERR_USBID_STORED its last character is the offending one.
  Result ReadUsbId(std::string& text);

 private:
  // Writes the characters from `address` on and reads them back.
  Result WriteCharacters(uint8_t address, std::string_view characters);

  TFactoryCommand& command_;
  const Clock& clock_;
};

}  // namespace opal
