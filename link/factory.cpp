#include "link/factory.h"

#include <algorithm>
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

constexpr std::string_view kReplyHeader = "@BDC PS";
constexpr std::size_t kTailOffset = 30;
constexpr std::size_t kHeaderSize = 10;

uint8_t HexDigit(uint8_t c) {
  return static_cast<uint8_t>(c >= '0' && c <= '9' ? c - '0' : c - 0x37);
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
  if (const Result sent = SendFrame(length, op); sent != PORT_OK) return sent;
  if (const Result got = port_.Receive(reply_); got != PORT_OK) return got;
  if (!std::equal(kReplyHeader.begin(), kReplyHeader.end(), reply_.begin())) return ERR_BAD_REPLY;
  value = static_cast<uint8_t>(HexDigit(reply_[14]) * 16 + HexDigit(reply_[15]));
  return PORT_OK;
}

Result TFactoryCommand::EepromReadByte(uint8_t address, uint8_t& value) {
  frame_[10] = address;
  return TestedRead(6, kEepromRead, value);
}

uint8_t TFactoryCommand::EepromReadByteUnchecked(uint8_t address) {
  frame_[10] = address;
  reply_.fill(0);
  SendFrame(6, kEepromRead);
  port_.Receive(reply_);
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
  port_.Send(std::span(frame_).first(kHeaderSize));
  return port_.Send(std::span(frame_).subspan(kTailOffset, 9));
}

Result WriteModelIdentity(TFactoryCommand& command, int32_t model_code) {
  Result first_failure = PORT_OK;
  const auto write = [&](int address, uint8_t value) {
    const Result result = command.EepromWriteByte(static_cast<uint8_t>(address), value);
    if (first_failure == PORT_OK) first_failure = result;
  };
  for (int address = 0x70; address <= 0x7D; ++address) write(address, 0x00);
  if (model_code == MODEL_OPAL_320) {
    write(0x5E, 0x00);
    for (int address = 0x60; address <= 0x6F; ++address) write(address, 0x00);
  } else if (model_code == MODEL_OPAL_310) {
    constexpr std::string_view kIdentity = "Corvane Opal 310";
    write(0x5E, 0x02);
    for (std::size_t i = 0; i < kIdentity.size(); ++i) {
      write(0x60 + static_cast<int>(i), static_cast<uint8_t>(kIdentity[i]));
    }
  }
  return first_failure;
}

}  // namespace opal
