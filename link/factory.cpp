#include "link/factory.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace opal {
namespace {

constexpr TFactoryCommand::Op kEepromRead{0x41, 0xA0};
constexpr TFactoryCommand::Op kEepromWrite{0x42, 0x21};
constexpr TFactoryCommand::Op kChipRead{0x61, 0xB0};
constexpr TFactoryCommand::Op kInitialize{0x48, 0x24};
constexpr TFactoryCommand::Op kBidValue{0x00, 0x00};
constexpr TFactoryCommand::Op kCleaning{0x84, 0x42};
constexpr TFactoryCommand::Op kLiquidExchange{0x81, 0xC0};

struct NamedOp {
  TFactoryCommand::Op op;
  std::string_view name;
};
constexpr std::array<NamedOp, 7> kNamedOps{{
    {kEepromRead, "EEPROM read"},
    {kEepromWrite, "EEPROM write"},
    {kChipRead, "chip read"},
    {kInitialize, "initialise"},
    {kBidValue, "Bi-D value"},
    {kCleaning, "cleaning"},
    {kLiquidExchange, "liquid exchange"},
}};

constexpr std::string_view kReplyHeader = "@BDC PS";
constexpr std::size_t kTailOffset = 30;
constexpr std::size_t kHeaderSize = 10;

uint8_t HexDigit(uint8_t c) {
  return static_cast<uint8_t>(c >= '0' && c <= '9' ? c - '0' : c - 0x37);
}

std::string Hex(uint8_t value) {
  std::array<char, 3> text{};
  std::snprintf(text.data(), text.size(), "%02X", value);
  return text.data();
}

}  // namespace

TFactoryCommand::TFactoryCommand(TPrinterPort& port) : port_(port) {
  frame_[5] = 0x06;
  frame_[6] = 0x31;
  constexpr std::array<uint8_t, 9> kTail{0x03, 0x00, 0x00, 0x00, 0x00, 0x88, 0x13, 0x0F, 0x08};
  std::copy(kTail.begin(), kTail.end(), frame_.begin() + kTailOffset);
}

std::size_t TFactoryCommand::Build(uint8_t length, Op op) {
  frame_[0] = 0x1B;
  frame_[1] = 0x7C;
  frame_[2] = 0x00;
  frame_[3] = length;
  frame_[4] = 0x00;
  frame_[7] = op.op1;
  frame_[8] = static_cast<uint8_t>(op.op1 ^ 0xFF);
  frame_[9] = op.op3;
  return 5u + length;
}

Result TFactoryCommand::SendFrame(uint8_t length, Op op) {
  const std::size_t size = Build(length, op);
  return port_.Send(std::span(frame_).first(size));
}

Result TFactoryCommand::TestedRead(uint8_t length, Op op, uint8_t& value) {
  port_.DiscardUnasked();
  if (const Result sent = SendFrame(length, op); sent != PORT_OK) return sent;
  // A reply that names another address is one a slow printer owed an earlier request: taking it
  // would give that byte's value for this one.
  int stale = 0;
  do {
    if (const Result got = port_.Receive(reply_); got != PORT_OK) return got;
  } while (AnswersAnother(op) && ++stale <= kMaxStaleReplies);
  if (stale > kMaxStaleReplies) return ERR_BAD_REPLY;
  if (!std::equal(kReplyHeader.begin(), kReplyHeader.end(), reply_.begin())) return ERR_BAD_REPLY;
  value = static_cast<uint8_t>(HexDigit(reply_[14]) * 16 + HexDigit(reply_[15]));
  return PORT_OK;
}

std::optional<FrameReading> ReadFrame(std::span<const uint8_t> bytes) {
  constexpr std::array<uint8_t, 7> kOpening{0x1B, 0x7C, 0x00, 0x00, 0x00, 0x06, 0x31};
  if (bytes.size() <= kFrameAddressOffset - 1) return std::nullopt;
  for (std::size_t k = 0; k < kOpening.size(); ++k) {
    // The length byte differs from frame to frame.
    if (k != 3 && bytes[k] != kOpening[k]) return std::nullopt;
  }
  for (const NamedOp& named : kNamedOps) {
    if (bytes[7] != named.op.op1 || bytes[9] != named.op.op3) continue;
    FrameReading reading{named.name, std::nullopt, named.op.op1 == kEepromWrite.op1};
    const bool eeprom = named.op.op1 == kEepromRead.op1 || reading.eeprom_write;
    if (eeprom && bytes.size() > kFrameAddressOffset) {
      reading.eeprom_address = bytes[kFrameAddressOffset];
    }
    return reading;
  }
  return std::nullopt;
}

bool StartsReply(std::span<const uint8_t> bytes) {
  const std::size_t size = std::min(bytes.size(), kReplyHeader.size());
  return size > 0 &&
         std::equal(bytes.begin(), bytes.begin() + static_cast<long>(size), kReplyHeader.begin());
}

std::optional<uint8_t> ReplyEepromAddress(std::span<const uint8_t> reply) {
  if (reply.size() < kReplyValueOffset || !StartsReply(reply)) return std::nullopt;
  const bool names = reply[7] == '\r' && reply[8] == '\n' && reply[9] == 'E' && reply[10] == 'E' &&
                     reply[13] == ':';
  if (!names) return std::nullopt;
  return static_cast<uint8_t>(HexDigit(reply[11]) * 16 + HexDigit(reply[12]));
}

bool TFactoryCommand::AnswersAnother(Op op) const {
  // Bytes 7 to 13 of a printer that says what it read: CR LF, "EE" or the chip's "C0"/"C1",
  // the address in hex, ":". A reply in any other form carries nothing to check.
  const bool says_what = reply_[7] == '\r' && reply_[8] == '\n' && reply_[13] == ':';
  if (!says_what) return false;
  const bool eeprom = op.op1 == kEepromRead.op1;
  const uint8_t asked = eeprom ? frame_[10] : frame_[11];
  const char kind = eeprom ? 'E' : 'C';
  const uint8_t named = static_cast<uint8_t>(HexDigit(reply_[11]) * 16 + HexDigit(reply_[12]));
  return reply_[9] != kind || named != asked;
}

Result TFactoryCommand::EepromReadByte(uint8_t address, uint8_t& value) {
  frame_[10] = address;
  return TestedRead(6, kEepromRead, value);
}

uint8_t TFactoryCommand::EepromReadByteUnchecked(uint8_t address) {
  frame_[10] = address;
  reply_.fill(0);
  port_.DiscardUnasked();
  // Unchecked by design: a failed exchange leaves the cleared reply, which reads as 0x00.
  DropResult(SendFrame(6, kEepromRead));
  DropResult(port_.Receive(reply_));
  return static_cast<uint8_t>((HexDigit(reply_[14]) & 0x0F) * 16 + (HexDigit(reply_[15]) & 0x0F));
}

Result TFactoryCommand::EepromWriteByte(uint8_t address, uint8_t value) {
  frame_[10] = address;
  frame_[11] = value;
  return SendFrame(7, kEepromWrite);
}

Result TFactoryCommand::ChipReadByte(uint8_t chip, uint8_t address, uint8_t& value) {
  frame_[10] = chip == 0x80 ? 0x01 : chip;
  frame_[11] = address;
  return TestedRead(7, kChipRead, value);
}

Result TFactoryCommand::InitializePrinter() {
  return SendFrame(5, kInitialize);
}

Result TFactoryCommand::SetBidValue(uint8_t kind, int black, int color) {
  frame_[10] = kind;
  frame_[11] = static_cast<uint8_t>(black & 0xFF);
  frame_[12] = black < 0 ? 0xFF : 0x00;
  frame_[13] = static_cast<uint8_t>(color & 0xFF);
  frame_[14] = color < 0 ? 0xFF : 0x00;
  return SendFrame(10, kBidValue);
}

Result TFactoryCommand::RunCleaning(uint8_t mode) {
  frame_[10] = mode;
  return SendFrame(6, kCleaning);
}

Result TFactoryCommand::LiquidExchange() {
  Build(14, kLiquidExchange);
  if (const Result head = port_.Send(std::span(frame_).first(kHeaderSize)); head != PORT_OK) {
    return head;
  }
  return port_.Send(std::span(frame_).subspan(kTailOffset, 9));
}

WriteClearance TFactoryCommand::BeginWrites(std::span<const EepromWrite> writes,
                                            WriteIntent intent) {
  return observer_ ? observer_->BeforeWrites(writes, intent) : WriteClearance{};
}

Result TFactoryCommand::EndWrites(Result result) {
  if (observer_) observer_->AfterWrites(result);
  return result;
}

Result TFactoryCommand::WriteEepromVerified(std::span<const EepromWrite> writes) {
  last_write_check_.reset();
  const WriteClearance clearance = BeginWrites(writes);
  if (clearance.result != PORT_OK) return clearance.result;
  if (!clearance.needed) return EndWrites(PORT_OK);
  for (const EepromWrite& write : writes) {
    if (const Result sent = EepromWriteByte(write.address, write.value); sent != PORT_OK) {
      return EndWrites(sent);
    }
  }
  return EndWrites(VerifyEeprom(writes));
}

Result TFactoryCommand::VerifyEeprom(std::span<const EepromWrite> writes) {
  // A check that passes keeps the last failure: a trial that did not hold is still what the
  // technician must read after its values were set back.
  for (const EepromWrite& write : writes) {
    uint8_t held = 0;
    const Result read = EepromReadByte(write.address, held);
    if (read != PORT_OK) {
      last_write_check_ = WriteCheckFailure{write.address, write.value, std::nullopt, read};
      return ERR_WRITE_UNREADABLE;
    }
    if (held != write.value) {
      last_write_check_ = WriteCheckFailure{write.address, write.value, held, read};
      return ERR_WRITE_NOT_HELD;
    }
    if (observer_) observer_->Verified(write);
  }
  return PORT_OK;
}

std::string TFactoryCommand::Message(Result code) const {
  const bool verify = code == ERR_WRITE_NOT_HELD || code == ERR_WRITE_UNREADABLE;
  if (!verify || !last_write_check_) return ResultMessage(code);
  const WriteCheckFailure& failure = *last_write_check_;
  std::string text = "Verify error at address " + Hex(failure.address) + ": written " +
                     Hex(failure.written) + ", ";
  if (failure.read) return text + "read back " + Hex(*failure.read) + ".";
  return text + "cannot be read back (" + ResultMessage(failure.read_result) + ").";
}

std::vector<EepromWrite> ModelIdentityWrites(PrinterModel model) {
  std::vector<EepromWrite> writes;
  const auto write = [&](int address, uint8_t value) {
    writes.push_back({static_cast<uint8_t>(address), value});
  };
  for (int address = 0x70; address <= 0x7D; ++address) write(address, 0x00);
  const ModelEntry* entry = ModelEntryOf(model);
  if (entry == nullptr || entry->key.empty()) return writes;
  write(0x5E, entry->identity_variant);
  constexpr std::size_t kIdentityTextSize = 16;
  for (std::size_t i = 0; i < kIdentityTextSize; ++i) {
    const std::string_view text = entry->identity_text;
    write(0x60 + static_cast<int>(i), i < text.size() ? static_cast<uint8_t>(text[i]) : 0x00);
  }
  return writes;
}

Result WriteModelIdentity(TFactoryCommand& command, PrinterModel model) {
  return command.WriteEepromVerified(ModelIdentityWrites(model));
}

void AwaitPrinterAnswer(TFactoryCommand& command) {
  command.EepromReadByteUnchecked(0x00);
}

}  // namespace opal
