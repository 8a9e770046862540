#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "link/printerdriver.h"
#include "link/programexit.h"

namespace opal {

// Ink codes of SelectInk; any other code selects black.
inline constexpr uint8_t INK_CODE_BLACK = 0x00;
inline constexpr uint8_t INK_CODE_MAGENTA = 0x81;
inline constexpr uint8_t INK_CODE_LIGHT_MAGENTA = 0x82;
inline constexpr uint8_t INK_CODE_CYAN = 0x83;
inline constexpr uint8_t INK_CODE_LIGHT_CYAN = 0x84;
inline constexpr uint8_t INK_CODE_YELLOW = 0x85;

// Ink bytes of SendRasterTransfer: density in the high nibble (1 = light), colour in the low one.
inline constexpr uint8_t TRANSFER_INK_BLACK = 0x00;
inline constexpr uint8_t TRANSFER_INK_LIGHT_MAGENTA = 0x11;
inline constexpr uint8_t TRANSFER_INK_LIGHT_CYAN = 0x12;

// The longest run one header byte can carry.
inline constexpr int kMaxRunCount = 129;
inline constexpr const char* kRunErrorText = "RepeatSend() error";

// The page-language emitters. A USB printer port turns every write into a transfer it waits for,
// and a page holds hundreds of thousands of runs and thousands of commands, so one write each
// would hold the link far longer than its bytes take. The emitters hand their bytes to the port's
// Hold, which writes them TPrinterPort::kHeldMost at a time; SendInitialize, SendFormFeed,
// SendText and SendBytes write everything held with their own bytes at once, so a page begins
// and ends on the wire. The printer receives exactly the same bytes; a failed write shows in the
// result of the emitter that made it, and every later one.
// Held by every print operation for its whole run.
using PrintJob = TPrinterPort::StallGuard;

class TRasterPrinter {
 public:
  TRasterPrinter(TPrinterPort& port, ProgramExit& exit) : port_(port), exit_(exit) {}

  TPrinterPort& Port() { return port_; }

  Result SendInitialize();
  Result SendGraphicsMode();
  Result SendUnit(uint8_t unit);
  // 1 = unidirectional, 0 = bidirectional.
  Result SendDirection(uint8_t mode);
  Result SendDotSize(uint8_t size);
  Result SendColorMode(uint8_t mode);
  Result SelectInk(uint8_t code);
  Result SendEndBand();
  Result SendRasterHeader(uint8_t v, uint8_t h, uint8_t rows, uint8_t width_low,
                          uint8_t width_high);
  // Moves the paper `units` down and returns the print position to the left margin.
  Result SendAdvance(uint8_t units);
  Result SendRasterResolution(uint8_t base_low, uint8_t base_high, uint8_t v, uint8_t h);
  Result SendRasterTransfer(uint8_t ink, uint8_t compression, uint8_t bits, uint8_t bytes_low,
                            uint8_t bytes_high, uint8_t rows_low, uint8_t rows_high);
  // `count` equal bytes. A count of 0 adds nothing; a count that one header cannot carry ends the
  // program before anything more is sent. Returns PORT_OK: a failed write of the collected runs
  // shows in the results of the writes after it.
  Result SendRun(int count, uint8_t value);
  // CR LF `count` times, one write each, stopping at the first failure.
  Result SendNewLines(int32_t count);
  Result SendFormFeed();
  // SendInitialize, SendGraphicsMode, SendUnit, SendDirection, SendDotSize, SendColorMode; the
  // first failure among them, or PORT_OK.
  Result SendPrintSetup(uint8_t unit, uint8_t direction, uint8_t dot_size, uint8_t color_mode);
  // The same without SendColorMode, for the patterns that leave the colour mode alone.
  Result SendGraphicsSetup(uint8_t unit, uint8_t direction, uint8_t dot_size);
  // Text for the printer's resident font, followed by its terminating NUL, in one write.
  Result SendText(std::string_view text);
  // Bytes as they are, in one write.
  Result SendBytes(std::span<const uint8_t> bytes);

 private:
  // Held with the page's other commands, or (CommandNow) written with everything held before it:
  // the commands that begin and end a page go out at once.
  Result Command(std::initializer_list<uint8_t> bytes);
  Result CommandNow(std::initializer_list<uint8_t> bytes);
  Result WriteCollectedRuns();

  TPrinterPort& port_;
  ProgramExit& exit_;
  std::vector<uint8_t> runs_;
};

// The first result other than PORT_OK of writes that go on whatever the ones before gave.
class FirstFailure {
 public:
  void Note(Result result) {
    if (first_ == PORT_OK) first_ = result;
  }
  Result Get() const { return first_; }

 private:
  Result first_ = PORT_OK;
};

// Moves the print start lower on the sheet: two line feeds per step of a form's position track
// bar (0 to kPrintStartSteps). Every step is sent; returns the first failure.
inline constexpr int kPrintStartSteps = 30;
Result MovePrintStart(TRasterPrinter& raster, int steps);

// `text` as SendText sends it, after `bytes`: for a line of texts that goes out in one write.
void AppendText(std::vector<uint8_t>& bytes, std::string_view text);

}  // namespace opal
