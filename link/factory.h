#pragma once

#include <array>
#include <cstdint>

#include "link/printerdriver.h"

namespace opal {

inline constexpr uint8_t INK_BLACK = 0;
inline constexpr uint8_t INK_COLOR = 128;

inline constexpr uint8_t CLEANING_POWERFUL = 10;
inline constexpr uint8_t CLEANING_INK_CHARGE = 9;

// Switches the printer into its service protocol; sent once after the port opens.
inline constexpr std::array<uint8_t, 27> kStartSequence{
    0x00, 0x00, 0x00, 0x1B, 0x01, '@', 'Q', 'R', 'T', ' ', '1', '2', '8', '4',
    '.',  '4',  0x0A, '@',  'Q',  'R', 'T', ' ', ' ', ' ', ' ', ' ', 0x0A};

// The printer's service commands. Every command reuses one frame buffer whose model bytes and
// liquid-exchange tail are set once.
class TFactoryCommand {
 public:
  static constexpr std::size_t kReplySize = 18;

  struct Op {
    uint8_t op1;
    uint8_t op3;
  };

  explicit TFactoryCommand(TPrinterPort& port);

  Result EepromReadByte(uint8_t address, uint8_t& value);
  // Never fails: a missing reply decodes as the same value every time.
  uint8_t EepromReadByteUnchecked(uint8_t address);
  Result EepromWriteByte(uint8_t address, uint8_t value);
  Result ChipReadByte(uint8_t chip, uint8_t address, uint8_t& value);
  Result InitializePrinter();
  Result SetBidValue(uint8_t kind, int black, int color);
  Result RunCleaning(uint8_t mode);
  Result LiquidExchange();

  TPrinterPort& Port() { return port_; }

 private:
  // Builds the frame with `length` bytes after offset 4 and returns the frame's size.
  std::size_t Build(uint8_t length, Op op);
  Result SendFrame(uint8_t length, Op op);
  Result TestedRead(uint8_t length, Op op, uint8_t& value);

  TPrinterPort& port_;
  std::array<uint8_t, 39> frame_{};
  std::array<uint8_t, kReplySize> reply_{};
};

// Rewrites the model identity bytes so the printer takes the model the technician chose. Every
// write is made whatever the one before gave; the first failure is returned for callers that
// report it.
Result WriteModelIdentity(TFactoryCommand& command, int32_t model_code);

}  // namespace opal
