#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "link/factory.h"
#include "link/showntext.h"

namespace opal {

inline constexpr const char* kInputDataIsWrong = OPAL_TEXT("Core", "Input data is wrong.");
// Ends the status line of every adjustment written into the EEPROM.
inline constexpr std::string_view kWrittenInEeprom = " has been written in EEPROM.";
// A byte written by hand reads as two lines: the prefix and two hex digits each.
inline constexpr std::string_view kEepromAddressPrefix = OPAL_TEXT("Core", "Address = ");
inline constexpr std::string_view kEepromDataPrefix = OPAL_TEXT("Core", "Data = ");

inline constexpr std::size_t kEepromSize = 256;
using EepromImage = std::array<uint8_t, kEepromSize>;

struct EepromRange {
  uint8_t start;
  uint8_t end;
};

struct EepromByte {
  uint8_t address;
  uint8_t data;
};

// Both texts exactly two hex digits, start not above end; nullopt means "Input data is wrong.".
std::optional<EepromRange> ParseEepromRange(std::string_view start, std::string_view end);
std::optional<EepromByte> ParseEepromByte(std::string_view address, std::string_view data);

// Reads the range in address order, handing each byte on as it arrives; stops at the first failure.
Result ReadEepromRange(TFactoryCommand& command, EepromRange range,
                       const std::function<void(uint8_t address, uint8_t value)>& on_byte);

// One byte typed by the technician, written and read back.
Result WriteEepromByteVerified(TFactoryCommand& command, const EepromByte& byte);

// All 256 bytes; `image` is untouched on failure.
Result BackupEeprom(TFactoryCommand& command, EepromImage& image);

struct EepromMismatch {
  uint8_t address;
  uint8_t wanted;
  uint8_t found;
};

struct RestoreReport {
  std::size_t sent = 0;  // write frames the port took
  // Of those, how many the printer holds as read back; after a failed write, only known when
  // the printer still answers (`counted`).
  std::size_t written = 0;
  bool counted = true;
  // Bytes that read back different from the image after the writes, in address order.
  std::vector<EepromMismatch> mismatches;
};

// Writes only the bytes that differ from what the printer holds now, then reads all 256 back and
// lists every byte that does not match. A failing transfer stops it with that transfer's code;
// bytes written before it stay written. A byte that does not match gives ERR_WRITE_NOT_HELD,
// named by the command's LastWriteCheck() (the first such byte), and one that cannot be read back
// ERR_WRITE_UNREADABLE; the list of mismatches ends where a read fails.
Result RestoreEeprom(TFactoryCommand& command, const EepromImage& image, RestoreReport& report);

}  // namespace opal
