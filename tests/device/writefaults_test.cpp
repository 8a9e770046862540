#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "device/bid.h"
#include "device/datamanu.h"
#include "device/eeprom.h"
#include "device/headid.h"
#include "device/usbid.h"
#include "tests/support/tempdir.h"
#include "tests/support/writefaults.h"

namespace opal {
namespace {

using std::chrono::seconds;
using testing::FaultyPrinter;
using testing::WriteFault;

// Every operation that writes adjustments into the EEPROM, with the byte it writes first.
struct WritingOperation {
  std::string name;
  uint8_t first_address;
  uint8_t first_value;
  std::function<Result(FaultyPrinter&)> run;
};

std::vector<WritingOperation> Operations() {
  return {
      {"head ID", 0x46, 0x5A,
       [](FaultyPrinter& link) {
         THeadIdCoder coder(link.command);
         return coder.WriteHeadId("AZBCDEFJKLMNW");
       }},
      {"USB ID", 0x4C, 'A',
       [](FaultyPrinter& link) {
         std::tm now{};
         now.tm_year = 2001 - 1900;
         link.clock.SetLocalTime(now);
         TUsbIdStore store(link.command, link.clock);
         std::string stamp;
         return store.WriteUsbId("AB12345678", stamp);
       }},
      {"Bi-D value", 0x33, 0xF7,
       [](FaultyPrinter& link) {
         TBidAdjustment bid(link.command);
         return bid.WriteBidValue(INK_BLACK, BidKind::Ms, "-9");
       }},
      {"EEPROM byte", 0x80, 0x99,
       [](FaultyPrinter& link) {
         return WriteEepromByteVerified(link.command, {0x80, 0x99});
       }},
      {"backup restore", 0x00, 0x5A,
       [](FaultyPrinter& link) {
         EepromImage image = link.printer.Eeprom();
         image[0x00] = 0x5A;
         RestoreReport report;
         return RestoreEeprom(link.command, image, report);
       }},
  };
}

struct FaultOutcome {
  WriteFault fault;
  Result code;
  // What follows "Verify error at address AA: written WW, "; empty: the code's own message.
  std::string detail;
  bool first_byte_written;
  seconds within;  // one blocked read costs its 20 s limit
};

const std::vector<FaultOutcome> kOutcomes{
    {WriteFault::IgnoresWrites, ERR_WRITE_NOT_HELD, "read back EE.", false, seconds(1)},
    {WriteFault::ReadsFailAfterWrite, ERR_WRITE_UNREADABLE, "cannot be read back (Receive error).",
     true, seconds(21)},
    {WriteFault::SendFails, ERR_SEND_COUNT, "", false, seconds(1)},
};

TEST(WriteFaults, NoWriteThePrinterDoesNotHoldIsTakenForDone) {
  for (const WritingOperation& operation : Operations()) {
    for (const FaultOutcome& outcome : kOutcomes) {
      SCOPED_TRACE(operation.name + ", " + testing::NameOf(outcome.fault));
      testing::TempDir temp;
      FaultyPrinter link(temp.path() / "printer", outcome.fault);
      link.printer.SetEepromByte(operation.first_address, 0xEE);
      const auto before = link.printer.Eeprom();
      const auto start = link.clock.Now();

      const Result result = operation.run(link);

      EXPECT_EQ(result, outcome.code);
      const std::string message =
          outcome.detail.empty()
              ? ResultMessage(outcome.code)
              : "Verify error at address " + ByteToHexPair(operation.first_address) + ": written " +
                    ByteToHexPair(operation.first_value) + ", " + outcome.detail;
      EXPECT_EQ(link.command.Message(result), message);
      EXPECT_LT(link.clock.Now() - start, outcome.within);
      const auto after = link.printer.Eeprom();
      if (outcome.first_byte_written) {
        EXPECT_EQ(after[operation.first_address], operation.first_value);
      } else {
        EXPECT_EQ(after, before);
      }
    }
  }
}

TEST(WriteFaults, EveryOperationSucceedsOnAPrinterThatHoldsItsWrites) {
  for (const WritingOperation& operation : Operations()) {
    testing::TempDir temp;
    FaultyPrinter link(temp.path() / "printer", WriteFault::None);
    EXPECT_EQ(operation.run(link), PORT_OK) << operation.name;
    EXPECT_FALSE(link.command.LastWriteCheck()) << operation.name;
  }
}

}  // namespace
}  // namespace opal
