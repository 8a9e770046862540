#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "device/bid.h"
#include "device/eeprom.h"
#include "device/headid.h"
#include "device/usbid.h"
#include "tests/support/writefaults.h"

namespace opal {
namespace {

using testing::ChipPrinter;
using testing::WritingOperation;

// Every operation that writes adjustments into the EEPROM, with the byte it writes first.
std::vector<WritingOperation> Operations() {
  return {
      {"head ID", 0x46, 0x5A,
       [](ChipPrinter& link) {
         THeadIdCoder coder(link.command);
         return coder.WriteHeadId("AZBCDEFJKLMNW");
       }},
      {"USB ID", 0x4C, 'A',
       [](ChipPrinter& link) {
         std::tm now{};
         now.tm_year = 2001 - 1900;
         link.clock.SetLocalTime(now);
         TUsbIdStore store(link.command, link.clock);
         std::string stamp;
         return store.WriteUsbId("AB12345678", stamp);
       }},
      {"Bi-D value", 0x33, 0xF7,
       [](ChipPrinter& link) {
         TBidAdjustment bid(link.command);
         return bid.WriteBidValue(INK_BLACK, BidKind::Ms, "-9");
       }},
      {"EEPROM byte", 0x80, 0x99,
       [](ChipPrinter& link) {
         return WriteEepromByteVerified(link.command, {0x80, 0x99});
       }},
      {"backup restore", 0x00, 0x5A,
       [](ChipPrinter& link) {
         EepromImage image = link.printer.Eeprom();
         image[0x00] = 0x5A;
         RestoreReport report;
         return RestoreEeprom(link.command, image, report);
       }},
  };
}

TEST(WriteFaults, NoAdjustmentThePrinterDoesNotHoldIsTakenForDone) {
  testing::ExpectNoWriteTakenForDone(Operations());
}

}  // namespace
}  // namespace opal
