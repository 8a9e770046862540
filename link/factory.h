#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The printer's serial number, its USB ID, as the EEPROM keeps it: ten characters from here on.
// A record of the conversation masks it.
inline constexpr std::size_t kUsbIdLength = 10;
inline constexpr uint8_t kUsbIdAddress = 0x4C;

// One byte an operation puts into the EEPROM.
struct EepromWrite {
  uint8_t address;
  uint8_t value;
};

// The first written byte whose read-back failed: what it reads now, or nullopt when the read
// itself failed (with that read's code).
struct WriteCheckFailure {
  uint8_t address;
  uint8_t written;
  std::optional<uint8_t> read;
  Result read_result = PORT_OK;
};

// How a group of writes stands to the operation that makes it: values it means to leave in the
// printer, or settings it tries and puts back before it ends.
enum class WriteIntent { Leave, Try };

// What the keeper of the record says before a group of writes: go on or not (any code other
// than PORT_OK stops the writes before a byte is sent), and whether the printer needs them at all.
struct WriteClearance {
  Result result = PORT_OK;
  // False when the printer already holds every value, as read just now: nothing need be sent.
  bool needed = true;
};

// Told of every EEPROM write before its first byte goes out, of each byte a read-back found in
// place, and of the group's end, so a record of it can be kept by code that link may not include.
class EepromWriteObserver {
 public:
  virtual ~EepromWriteObserver() = default;
  [[nodiscard]] virtual WriteClearance BeforeWrites(std::span<const EepromWrite> writes,
                                                    WriteIntent intent) = 0;
  virtual void Verified(const EepromWrite& held) = 0;
  virtual void AfterWrites(Result result) = 0;
};

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
  // Both writes must go through; a header the printer did not take is not followed by the tail.
  Result LiquidExchange();

  // Every path that changes EEPROM bytes opens with BeginWrites and closes with EndWrites, which
  // pass them to the observer; a refused begin must not be followed by any write.
  void SetWriteObserver(EepromWriteObserver* observer) { observer_ = observer; }
  WriteClearance BeginWrites(std::span<const EepromWrite> writes,
                             WriteIntent intent = WriteIntent::Leave);
  Result EndWrites(Result result);

  // Service frames are never acknowledged, so only reading a byte back proves the printer holds
  // it. Sends every write in order, stopping at the first failing send, then checks them all;
  // sends nothing when the observer found every value already in place.
  Result WriteEepromVerified(std::span<const EepromWrite> writes);
  // Reads each address back with the checked read and stops at the first that does not hold its
  // value: ERR_WRITE_NOT_HELD or ERR_WRITE_UNREADABLE, named by LastWriteCheck().
  Result VerifyEeprom(std::span<const EepromWrite> writes);
  const std::optional<WriteCheckFailure>& LastWriteCheck() const { return last_write_check_; }
  // What the technician reads for a result: the code's message, and for a failed read-back the
  // address with the value written and the value read.
  std::string Message(Result code) const;

  TPrinterPort& Port() { return port_; }

 private:
  // Builds the frame with `length` bytes after offset 4 and returns the frame's size.
  std::size_t Build(uint8_t length, Op op);
  Result SendFrame(uint8_t length, Op op);
  Result TestedRead(uint8_t length, Op op, uint8_t& value);
  bool AnswersAnother(Op op) const;
  // Late replies skipped for one request before it counts as a bad reply.
  static constexpr int kMaxStaleReplies = 3;

  TPrinterPort& port_;
  std::array<uint8_t, 39> frame_{};
  std::array<uint8_t, kReplySize> reply_{};
  std::optional<WriteCheckFailure> last_write_check_;
  EepromWriteObserver* observer_ = nullptr;
};

// What a service frame asks, read back from its bytes, for a record of the conversation.
struct FrameReading {
  std::string_view name;  // "EEPROM read", "Bi-D value", ...
  // The EEPROM address an EEPROM read or write names.
  std::optional<uint8_t> eeprom_address;
  bool eeprom_write = false;
};
inline constexpr std::size_t kFrameAddressOffset = 10;
inline constexpr std::size_t kFrameValueOffset = 11;
// The frame `bytes` start with, as far as they hold it; none when they start with no frame.
std::optional<FrameReading> ReadFrame(std::span<const uint8_t> bytes);

// Where the two hex digits of the value stand in a reply, and the EEPROM address the reply says
// it answers ("@BDC PS\r\nEE4C:"), none when it names none.
inline constexpr std::size_t kReplyValueOffset = 14;
std::optional<uint8_t> ReplyEepromAddress(std::span<const uint8_t> reply);
// Whether a reply starts at `bytes`, as far as they reach.
bool StartsReply(std::span<const uint8_t> bytes);

// After an operation of the repair form is done, the printer has to answer one read before the
// next command is invited; what it answers does not matter.
void AwaitPrinterAnswer(TFactoryCommand& command);

// The model identity bytes that make the printer take the model the technician chose, from the
// model table; none for a model that is not offered beyond clearing 0x70 to 0x7D.
std::vector<EepromWrite> ModelIdentityWrites(PrinterModel model);

// Rewrites and verifies the model identity bytes; stops at the first failure.
Result WriteModelIdentity(TFactoryCommand& command, PrinterModel model);

}  // namespace opal
