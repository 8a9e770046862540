#include "virtualprinter/servicecommand.h"

#include <algorithm>
#include <array>

namespace vp {
namespace {

constexpr uint8_t kModelHigh = 0x06;
constexpr uint8_t kModelLow = 0x31;
constexpr std::size_t kArgumentsAt =
    10;  // after the header, the model bytes and the three op bytes
constexpr std::array<uint8_t, 9> kExchangeTail{0x03, 0x00, 0x00, 0x00, 0x00,
                                               0x88, 0x13, 0x0F, 0x08};
constexpr int16_t kSlotUnchanged = -128;

enum class Op { EepromRead, EepromWrite, ChipRead, Initialize, BidValue, Cleaning, LiquidExchange };

struct OpSpec {
  Op op;
  uint8_t op1;
  uint8_t op3;
  std::size_t arguments;
};

constexpr std::array kOps{
    OpSpec{Op::EepromRead, 0x41, 0xA0, 1},
    OpSpec{Op::EepromWrite, 0x42, 0x21, 2},
    OpSpec{Op::ChipRead, 0x61, 0xB0, 2},
    OpSpec{Op::Initialize, 0x48, 0x24, 0},
    OpSpec{Op::BidValue, 0x00, 0x00, 5},
    OpSpec{Op::Cleaning, 0x84, 0x42, 1},
    OpSpec{Op::LiquidExchange, 0x81, 0xC0, kExchangeTail.size()},
};

// A Bi-D slot travels as a little-endian 16-bit number whose high byte is only a sign.
std::optional<std::optional<int8_t>> BidSlot(uint8_t low, uint8_t sign) {
  if (sign != 0x00 && sign != 0xFF) return std::nullopt;
  const auto value = static_cast<int16_t>(low | sign << 8);
  if (value == kSlotUnchanged) return std::optional<int8_t>{};
  return std::optional<int8_t>{static_cast<int8_t>(low)};
}

std::optional<ServiceCommand> ParseArguments(Op op, std::span<const uint8_t> args) {
  switch (op) {
    case Op::EepromRead:
      return EepromRead{args[0]};
    case Op::EepromWrite:
      return EepromWrite{args[0], args[1]};
    case Op::ChipRead:
      if (args[0] > 1) return std::nullopt;
      return ChipRead{args[0] == 0 ? Cartridge::Black : Cartridge::Color, args[1]};
    case Op::Initialize:
      return Initialize{};
    case Op::BidValue: {
      const auto black = BidSlot(args[1], args[2]);
      const auto color = BidSlot(args[3], args[4]);
      if (args[0] < 1 || args[0] > 3 || !black || !color) return std::nullopt;
      return BidValue{args[0], *black, *color};
    }
    case Op::Cleaning: {
      const auto mode = static_cast<CleaningMode>(args[0]);
      if (mode != CleaningMode::InkCharge && mode != CleaningMode::Powerful) return std::nullopt;
      return Cleaning{mode};
    }
    case Op::LiquidExchange:
      if (!std::equal(args.begin(), args.end(), kExchangeTail.begin())) return std::nullopt;
      return LiquidExchange{};
  }
  return std::nullopt;
}

}  // namespace

std::optional<ServiceCommand> ParseServiceFrame(std::span<const uint8_t> frame) {
  if (frame.size() < kArgumentsAt || frame[0] != kEsc || frame[1] != kServiceIntroducer ||
      frame[2] != 0x00 || frame[4] != 0x00 || frame.size() != kServiceHeaderSize + frame[3]) {
    return std::nullopt;
  }
  if (frame[5] != kModelHigh || frame[6] != kModelLow) return std::nullopt;
  const uint8_t op1 = frame[7];
  if (frame[8] != static_cast<uint8_t>(op1 ^ 0xFF)) return std::nullopt;
  const auto spec = std::find_if(kOps.begin(), kOps.end(),
                                 [op1](const OpSpec& candidate) { return candidate.op1 == op1; });
  const std::span<const uint8_t> args = frame.subspan(kArgumentsAt);
  if (spec == kOps.end() || frame[9] != spec->op3 || args.size() != spec->arguments) {
    return std::nullopt;
  }
  return ParseArguments(spec->op, args);
}

}  // namespace vp
