#include "printing/bidcheck.h"

#include "printing/bidpattern.h"

namespace opal {
namespace {

Result SendBidCheckPattern(TRasterPrinter& raster, TFactoryCommand& command,
                           const BidPairs& pairs) {
  if (const Result title = raster.SendText("Bi-D check pattern"); title != PORT_OK) return title;
  if (const Result line = raster.SendNewLines(1); line != PORT_OK) return line;
  if (const Result blocks = PrintBidBlocks(raster, command, pairs); blocks != PORT_OK) {
    return blocks;
  }
  return raster.SendFormFeed();
}

Result SendBidCheckPage(TRasterPrinter& raster, TFactoryCommand& command, int start_steps) {
  BidPairs pairs;
  if (const Result read = ReadBidPairs(command, pairs); read != PORT_OK) return read;
  const PrintJob job(raster.Port());
  if (const Result moved = MovePrintStart(raster, start_steps); moved != PORT_OK) return moved;
  if (const Result reset = raster.SendInitialize(); reset != PORT_OK) return reset;
  if (const Result page = SendBidCheckPattern(raster, command, pairs); page != PORT_OK) {
    return page;
  }
  return raster.SendFormFeed();
}

}  // namespace

Result PrintBidCheckPattern(TRasterPrinter& raster, TFactoryCommand& command) {
  BidPairs pairs;
  if (const Result read = ReadBidPairs(command, pairs); read != PORT_OK) return read;
  const PrintJob job(raster.Port());
  return SendBidCheckPattern(raster, command, pairs);
}

Result PrintBidCheckPage(TRasterPrinter& raster, TFactoryCommand& command, int start_steps,
                         const StatusReport& report) {
  report(StatusMode::Busy, kBidPatternPrinting);
  const Result result = SendBidCheckPage(raster, command, start_steps);
  ReportOutcome(report, command, result, kBidPatternPrinted);
  return result;
}

}  // namespace opal
