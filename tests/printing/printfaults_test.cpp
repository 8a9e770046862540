#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "printing/a4check.h"
#include "printing/bidcheck.h"
#include "printing/bidpattern.h"
#include "tests/support/tempdir.h"
#include "tests/support/writefaults.h"

namespace opal {
namespace {

using std::chrono::seconds;
using testing::ChipPrinter;
using testing::WriteFault;

// Every print that sets the printer's Bi-D values around its trials and back again.
struct BidPrint {
  std::string name;
  std::function<Result(ChipPrinter&, TRasterPrinter&)> run;
};

std::vector<BidPrint> Prints() {
  return {
      {"Bi-D check page",
       [](ChipPrinter& link, TRasterPrinter& raster) {
         return PrintBidCheckPage(raster, link.command, 0, [](StatusMode, std::string_view) {});
       }},
      {"Bi-D block",
       [](ChipPrinter& link, TRasterPrinter& raster) {
         return PrintBidPattern(raster, link.command, BidKind::Ms, INK_BLACK);
       }},
      {"A4 check sheet",
       [](ChipPrinter& link, TRasterPrinter& raster) {
         THeadIdCoder head_id(link.command);
         TMaintenanceModule maintenance(link.command);
         TZlic zlic(link.command, link.clock);
         TA4Check sheet(raster, link.command, head_id, maintenance, zlic);
         return sheet.PrintA4CheckSheet(PrinterModel::Opal320);
       }},
  };
}

struct PrintFault {
  std::string name;
  WriteFault fault;
  int reply_delay_ms;
  Result result;
  std::string message;
  seconds within;
};

TEST(PrintFaults, EepromIsByteIdenticalAfterAnyFailedPrintAndTheFailureSaysWhy) {
  const std::vector<PrintFault> faults{
      {"replies after their limit", WriteFault::None, 20'500, ERR_RECEIVE_TIMEOUT, "Receive error",
       seconds(21)},
      {"link breaks at the first trial", WriteFault::SendFails, 0, ERR_WRITE_UNREADABLE,
       "Verify error at address 33: written 03, cannot be read back (Transmission error).",
       seconds(1)},
      // The first trial's read-back and then the setting back's each run into the read limit.
      {"reads fail after the first trial", WriteFault::ReadsFailAfterWrite, 0, ERR_WRITE_UNREADABLE,
       "Verify error at address 33: written 03, cannot be read back (Receive error).", seconds(43)},
      // A page printed under values the printer did not take would mislead: the first trial ends
      // it.
      {"values ignored", WriteFault::IgnoresWrites, 0, ERR_WRITE_NOT_HELD,
       "Verify error at address 33: written 01, read back 03.", seconds(1)},
  };
  for (const BidPrint& print : Prints()) {
    for (const PrintFault& fault : faults) {
      SCOPED_TRACE(print.name + ", " + fault.name);
      testing::TempDir temp;
      ChipPrinter link(temp.path() / "printer", testing::GoodChip(), testing::GoodChip());
      testing::Inject(link.gate, fault.fault);
      link.printer.SetEepromByte(0x33, 0x03);
      link.printer.SetFaults({.reply_delay_ms = fault.reply_delay_ms});
      TRasterPrinter raster(link.port, link.exit);
      const auto before = link.printer.Eeprom();
      const auto start = link.clock.Now();

      const Result result = print.run(link, raster);

      EXPECT_EQ(result, fault.result);
      EXPECT_EQ(link.command.Message(result), fault.message);
      EXPECT_EQ(link.printer.Eeprom(), before);
      EXPECT_LT(link.clock.Now() - start, fault.within);
    }
  }
}

TEST(PrintFaults, BidPageWithALateReplySendsNothingButItsFirstRequest) {
  testing::TempDir temp;
  ChipPrinter link(temp.path() / "printer", testing::GoodChip(), testing::GoodChip());
  link.printer.SetFaults({.reply_delay_ms = 20'500});
  TRasterPrinter raster(link.port, link.exit);
  EXPECT_EQ(PrintBidCheckPage(raster, link.command, 30, [](StatusMode, std::string_view) {}),
            ERR_RECEIVE_TIMEOUT);
  ASSERT_EQ(link.gate.frames.size(), 1u);
  EXPECT_TRUE(testing::IsEepromReadRequest(link.gate.frames[0]));
}

}  // namespace
}  // namespace opal
