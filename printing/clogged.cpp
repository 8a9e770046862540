#include "printing/clogged.h"

#include <array>

namespace opal {
namespace {

// A remote-mode command is a two-letter name, a 16-bit little-endian parameter length and the
// parameters.
constexpr std::array<uint8_t, 13> kEnterRemoteMode{0x1B, '(', 'R', 0x08, 0x00, 0x00, 'R',
                                                   'E',  'M', 'O', 'T',  'E',  '1'};
constexpr std::array<uint8_t, 4> kRemoteLoad{'L', 'D', 0x00, 0x00};
constexpr std::array<uint8_t, 6> kRemoteNozzleCheck{'N', 'C', 0x02, 0x00, 0x00, 0x00};
constexpr std::array<uint8_t, 4> kLeaveRemoteMode{0x1B, 0x00, 0x00, 0x00};

}  // namespace

Result PrintAllNozzleTestPattern(TRasterPrinter& raster, const StatusReport& report) {
  const PrintJob job(raster.Port());
  report(StatusMode::Busy, kNozzleCheckPrinting);
  FirstFailure failure;
  failure.Note(raster.SendText("All Nozzle Test Pattern"));
  failure.Note(raster.SendNewLines(1));
  failure.Note(raster.SendBytes(kEnterRemoteMode));
  failure.Note(raster.SendBytes(kRemoteLoad));
  failure.Note(raster.SendBytes(kRemoteNozzleCheck));
  failure.Note(raster.SendBytes(kLeaveRemoteMode));
  failure.Note(raster.SendFormFeed());
  ReportOutcome(report, failure.Get(), kCloggedHeadCompleted);
  return failure.Get();
}

Result PrintNozzleCheckPage(TRasterPrinter& raster, int start_steps, const StatusReport& report) {
  const PrintJob job(raster.Port());
  if (const Result moved = MovePrintStart(raster, start_steps); moved != PORT_OK) {
    ReportOutcome(report, moved, kCloggedHeadCompleted);
    return moved;
  }
  return PrintAllNozzleTestPattern(raster, report);
}

}  // namespace opal
