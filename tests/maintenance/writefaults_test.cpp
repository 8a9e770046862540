#include <gtest/gtest.h>

#include "maintenance/maintenance.h"
#include "tests/support/writefaults.h"

namespace opal {
namespace {

using testing::ChipPrinter;

TEST(WriteFaults, NoClearThePrinterDoesNotHoldIsTakenForDone) {
  testing::ExpectNoWriteTakenForDone({
      {"protection counter clear", 0x1B, 0x00,
       [](ChipPrinter& link) {
         TMaintenanceModule maintenance(link.command);
         return maintenance.ClearProtectionCounter();
       }},
      {"refurbishment data reset", 0x1B, 0x00,
       [](ChipPrinter& link) {
         TMaintenanceModule maintenance(link.command);
         return ResetRefurbishedData(maintenance, link.command);
       }},
  });
}

}  // namespace
}  // namespace opal
