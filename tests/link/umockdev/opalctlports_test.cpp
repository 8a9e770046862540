#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/inprocessopalctl.h"
#include "tests/link/umockdev/usbprinterbed.h"

namespace opal {
namespace {

using ::testing::HasSubstr;

TEST(OpalctlPortsTest, ListsEveryPortWithTheReasonItIsEmpty) {
  testing::Testbed bed;
  auto clock = testing::ClockAtToday();
  const testing::InProcessRun run = testing::RunOpalctlHere({"ports"}, clock);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "LPT1     cannot be reached: /dev/lp0: No such file or directory\n"
            "LPT2     cannot be reached: /dev/lp1: No such file or directory\n"
            "LPT3     cannot be reached: /dev/lp2: No such file or directory\n"
            "VLUSB1:  no printer\n"
            "VLUSB2:  no printer\n"
            "VLUSB3:  no printer\n");
}

TEST(OpalctlPortsTest, NamesTheUsbPrinterWhetherOrNotUsblpServesIt) {
  for (bool usblp : {false, true}) {
    SCOPED_TRACE(usblp ? "usblp" : "libusb");
    testing::Testbed bed;
    testing::ScriptedUsblpNode node(testing::DeviceIdAnswer(testing::kOpal320Id));
    testing::ScriptedUsbPrinter printer;
    printer.SetDeviceId(testing::kOpal320Id);
    if (usblp) bed.Attach("/dev/usb/lp0", node);
    testing::Plug(bed, {.usblp = usblp ? "lp0" : ""}, printer);

    auto clock = testing::ClockAtToday();
    const testing::InProcessRun run = testing::RunOpalctlHere({"ports"}, clock);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("VLUSB1:  Corvane Opal 320 (MFG VELTA, MDL Corvane Opal 320); "
                                   "VELTA Opal 320 (USB 1-2, f1e2:0005, serial S5)\n"
                                   "VLUSB2:  no printer\n"));
  }
}

}  // namespace
}  // namespace opal
