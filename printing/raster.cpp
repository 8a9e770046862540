#include "printing/raster.h"

#include <string>

namespace opal {
namespace {

constexpr uint8_t ESC = 0x1B;
constexpr uint8_t CR = 0x0D;
constexpr uint8_t LF = 0x0A;
constexpr uint8_t FF = 0x0C;

struct InkPair {
  uint8_t density;
  uint8_t colour;
};

InkPair InkPairOf(uint8_t code) {
  switch (code) {
    case INK_CODE_MAGENTA:
      return {0, 1};
    case INK_CODE_LIGHT_MAGENTA:
      return {1, 1};
    case INK_CODE_CYAN:
      return {0, 2};
    case INK_CODE_LIGHT_CYAN:
      return {1, 2};
    case INK_CODE_YELLOW:
      return {0, 4};
    default:
      return {0, 0};
  }
}

}  // namespace

Result TRasterPrinter::WriteCollectedRuns() {
  if (runs_.empty()) return PORT_OK;
  const Result held = port_.Hold(runs_);
  runs_.clear();
  return held;
}

Result TRasterPrinter::SendBytes(std::span<const uint8_t> bytes) {
  FirstFailure failure;
  failure.Note(WriteCollectedRuns());
  failure.Note(port_.Hold(bytes));
  failure.Note(port_.Release());
  return failure.Get();
}

Result TRasterPrinter::Command(std::initializer_list<uint8_t> bytes) {
  FirstFailure failure;
  failure.Note(WriteCollectedRuns());
  failure.Note(port_.Hold(std::span(bytes.begin(), bytes.size())));
  return failure.Get();
}

Result TRasterPrinter::CommandNow(std::initializer_list<uint8_t> bytes) {
  return SendBytes(std::span(bytes.begin(), bytes.size()));
}

void AppendText(std::vector<uint8_t>& bytes, std::string_view text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(0x00);
}

Result TRasterPrinter::SendText(std::string_view text) {
  std::vector<uint8_t> bytes;
  AppendText(bytes, text);
  return SendBytes(bytes);
}

Result TRasterPrinter::SendInitialize() {
  return CommandNow({ESC, '@'});
}

Result TRasterPrinter::SendGraphicsMode() {
  return Command({ESC, '(', 'G', 0x01, 0x00, 0x01});
}

Result TRasterPrinter::SendUnit(uint8_t unit) {
  return Command({ESC, '(', 'U', 0x01, 0x00, unit});
}

Result TRasterPrinter::SendDirection(uint8_t mode) {
  return Command({ESC, 'U', mode});
}

Result TRasterPrinter::SendDotSize(uint8_t size) {
  return Command({ESC, '(', 'e', 0x02, 0x00, 0x00, size});
}

Result TRasterPrinter::SendColorMode(uint8_t mode) {
  return Command({ESC, '(', 'K', 0x02, 0x00, 0x00, mode});
}

Result TRasterPrinter::SelectInk(uint8_t code) {
  const InkPair ink = InkPairOf(code);
  return Command({ESC, '(', 'r', 0x02, 0x00, ink.density, ink.colour});
}

Result TRasterPrinter::SendEndBand() {
  return Command({ESC, '<', CR});
}

Result TRasterPrinter::SendRasterHeader(uint8_t v, uint8_t h, uint8_t rows, uint8_t width_low,
                                        uint8_t width_high) {
  return Command({ESC, '.', 0x01, v, h, rows, width_low, width_high});
}

Result TRasterPrinter::SendAdvance(uint8_t units) {
  return Command({ESC, '(', 'v', 0x02, 0x00, units, 0x00, CR});
}

Result TRasterPrinter::SendRasterResolution(uint8_t base_low, uint8_t base_high, uint8_t v,
                                            uint8_t h) {
  return Command({ESC, '(', 'D', 0x04, 0x00, base_low, base_high, v, h});
}

Result TRasterPrinter::SendRasterTransfer(uint8_t ink, uint8_t compression, uint8_t bits,
                                          uint8_t bytes_low, uint8_t bytes_high, uint8_t rows_low,
                                          uint8_t rows_high) {
  return Command({ESC, 'i', ink, compression, bits, bytes_low, bytes_high, rows_low, rows_high});
}

Result TRasterPrinter::SendRun(int count, uint8_t value) {
  if (count < 0 || count > kMaxRunCount) {
    runs_.clear();
    exit_.End({"error", std::string(kRunErrorText) + "\n\nA run of " + std::to_string(count) +
                            " bytes cannot be encoded: one run holds 1 to " +
                            std::to_string(kMaxRunCount) + " bytes."});
  }
  if (count == 0) return PORT_OK;
  runs_.push_back(count == 1 ? 0x00 : static_cast<uint8_t>(257 - count));
  runs_.push_back(value);
  return PORT_OK;
}

Result TRasterPrinter::SendNewLines(int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    if (const Result result = Command({CR, LF}); result != PORT_OK) return result;
  }
  return PORT_OK;
}

Result TRasterPrinter::SendFormFeed() {
  return CommandNow({FF});
}

Result TRasterPrinter::SendGraphicsSetup(uint8_t unit, uint8_t direction, uint8_t dot_size) {
  FirstFailure failure;
  failure.Note(SendInitialize());
  failure.Note(SendGraphicsMode());
  failure.Note(SendUnit(unit));
  failure.Note(SendDirection(direction));
  failure.Note(SendDotSize(dot_size));
  return failure.Get();
}

Result TRasterPrinter::SendPrintSetup(uint8_t unit, uint8_t direction, uint8_t dot_size,
                                      uint8_t color_mode) {
  FirstFailure failure;
  failure.Note(SendGraphicsSetup(unit, direction, dot_size));
  failure.Note(SendColorMode(color_mode));
  return failure.Get();
}

Result MovePrintStart(TRasterPrinter& raster, int steps) {
  FirstFailure failure;
  for (int step = 0; step < steps; ++step) failure.Note(raster.SendNewLines(2));
  return failure.Get();
}

}  // namespace opal
