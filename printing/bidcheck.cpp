#include "printing/bidcheck.h"

#include "printing/patterns.h"

namespace opal {

Result PrintBidCheckPattern(TRasterPrinter& raster, TFactoryCommand& command) {
  const PrintJob job(raster.Port());
  if (const Result title = raster.SendText("Bi-D check pattern"); title != PORT_OK) return title;
  if (const Result line = raster.SendNewLines(1); line != PORT_OK) return line;
  FirstFailure failure;
  for (const BidKind kind : {BidKind::Ms, BidKind::Pl6, BidKind::Pl4}) {
    for (const uint8_t ink_group : {INK_BLACK, INK_COLOR}) {
      failure.Note(PrintBidPattern(raster, command, kind, ink_group));
      failure.Note(raster.SendNewLines(3));
    }
  }
  failure.Note(raster.SendFormFeed());
  return failure.Get();
}

Result PrintBidCheckPage(TRasterPrinter& raster, TFactoryCommand& command, int start_steps,
                         const StatusReport& report) {
  const PrintJob job(raster.Port());
  report(StatusMode::Busy, kBidPatternPrinting);
  FirstFailure failure;
  failure.Note(MovePrintStart(raster, start_steps));
  failure.Note(raster.SendInitialize());
  failure.Note(PrintBidCheckPattern(raster, command));
  failure.Note(raster.SendFormFeed());
  ReportOutcome(report, failure.Get(), kBidPatternPrinted);
  return failure.Get();
}

}  // namespace opal
