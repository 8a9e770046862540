#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "link/linuxdevices.h"
#include "link/printerdriver.h"
#include "link/usbdiscovery.h"
#include "tests/link/umockdev/usbprinterbed.h"
#include "tests/support/fakes.h"

namespace opal {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using testing::EmulatedUsbPrinter;
using ::testing::HasSubstr;
using testing::ScriptedUsbPrinter;

constexpr std::string_view kReply = "@BDC PS\r\nAB;\r\n\f\r\n.";  // 18 bytes

// The machine's own ports, seen through an emulated sysfs and /dev.
struct UsbPortRig {
  explicit UsbPortRig(PortLimits limits = {300ms, 300ms, 3500ms})
      : port(provider, clock, exit, limits) {}

  testing::Testbed bed;
  ScriptedUsbPrinter printer;
  LinuxPortProvider provider;
  SystemClock clock;
  testing::ThrowingExit exit;
  TPrinterPort port;
};

class UsbPortTest : public ::testing::Test, protected UsbPortRig {};

TEST_F(UsbPortTest, PrintersAreFoundInBusThenPortPathOrder) {
  ScriptedUsbPrinter others[3];
  EmulatedUsbPrinter second_bus{.bus_path = "2-1", .bus = 2, .address = 3};
  EmulatedUsbPrinter far_port{.bus_path = "1-10", .address = 9};
  EmulatedUsbPrinter behind_hub{.bus_path = "1-2.4", .address = 7, .usblp = "lp1"};
  EmulatedUsbPrinter keyboard{.bus_path = "1-3", .address = 4};
  keyboard.descriptors = testing::UsbDescriptors()
                             .Device(0x046d, 0xc31c)
                             .Configuration(1)
                             .Interface(0, 0, 3, 1)
                             .Endpoint(0x81, 0x03);
  testing::Plug(bed, second_bus, others[0]);
  testing::Plug(bed, far_port, others[1]);
  testing::Plug(bed, behind_hub, others[2]);
  testing::Plug(bed, keyboard, printer);

  const std::vector<UsbPrinter> found = FindUsbPrinters("/sys");
  std::vector<std::string> order;
  for (const UsbPrinter& usb : found) order.push_back(usb.bus_path + " " + usb.usblp);
  EXPECT_THAT(order, ElementsAre("1-2.4 lp1", "1-10 ", "2-1 "));
  EXPECT_EQ(found[2].bus, 2);
  EXPECT_EQ(found[2].address, 3);
  EXPECT_EQ(found[2].serial, "S3");

  EXPECT_THAT(provider.PrintersPresent().value_or(std::vector<std::string>{}),
              ElementsAre("VLUSB1: VELTA Opal 320 (USB 1-2.4, f1e2:0005, serial S7)",
                          "VLUSB2: VELTA Opal 320 (USB 1-10, f1e2:0005, serial S9)",
                          "VLUSB3: VELTA Opal 320 (USB 2-1, f1e2:0005, serial S3)"));
}

TEST_F(UsbPortTest, APrinterUsblpServesIsAskedThroughItsNode) {
  testing::ScriptedUsblpNode usblp(testing::DeviceIdAnswer(testing::kOpal320Id));
  bed.Attach("/dev/usb/lp0", usblp);
  testing::Plug(bed, {.usblp = "lp0"}, printer);

  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK) << port.OpenProblem();
  EXPECT_EQ(port.DeviceIdText(), testing::kOpal320Id);
  port.Close();

  EXPECT_THAT(usblp.Calls(), ElementsAre("get device id"));
  EXPECT_THAT(printer.Calls(), ElementsAre());
}

TEST_F(UsbPortTest, WithoutUsblpTheExchangeRunsThroughLibusb) {
  testing::Plug(bed, {}, printer);
  printer.SetDeviceId(testing::kOpal320Id);

  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK) << port.OpenProblem();
  EXPECT_EQ(port.DeviceIdText(), testing::kOpal320Id);
  const std::array<uint8_t, 5> frame{0x1B, 0x7C, 0x00, 0x05, 0x00};
  EXPECT_EQ(port.Send(frame), PORT_OK);
  EXPECT_EQ(printer.Received(), std::string(frame.begin(), frame.end()));

  std::array<uint8_t, 18> reply{};
  EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_TIMEOUT);
  printer.WillReply(std::string(kReply));
  EXPECT_EQ(port.Receive(reply), PORT_OK);
  EXPECT_EQ(std::string(reply.begin(), reply.end()), kReply);
  port.Close();

  EXPECT_THAT(printer.Calls(), ElementsAre("claim", "get device id", "release"));
}

TEST_F(UsbPortTest, TheBidirectionalAlternateSettingIsSelected) {
  EmulatedUsbPrinter dual;
  dual.descriptors = testing::UsbDescriptors::BidirectionalAsAlternate();
  testing::Plug(bed, dual, printer);
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK) << port.OpenProblem();
  port.Close();
  EXPECT_THAT(printer.Calls(), ElementsAre("claim", "alt 1", "release"));
}

// The kernel driver we take the printer from gets it back, whether or not we got it.
TEST(UsbKernelDriverTest, IsDetachedForTheClaimAndReattachedAfterwards) {
  struct Case {
    const char* what;
    std::string driver;
    bool busy;
    Result opened;
    std::vector<std::string> calls;
  };
  const std::vector<Case> cases{
      {"usblp holds it, its node missing",
       "usblp",
       false,
       PORT_OK,
       {"detach usblp", "claim", "release", "attach"}},
      {"another program holds it after the detach",
       "usblp",
       true,
       ERR_PORT_BUSY,
       {"detach usblp", "claim refused", "attach"}},
      {"the print system's backend holds it through usbfs",
       "usbfs",
       false,
       ERR_PORT_BUSY,
       {"claim refused"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UsbPortRig rig;
    testing::Plug(rig.bed, {.usblp = "lp0", .usblp_node = false}, rig.printer);
    rig.printer.SetKernelDriver(c.driver);
    rig.printer.SetBusy(c.busy);

    EXPECT_EQ(rig.port.Open(PortId::Vlusb1), c.opened) << rig.port.OpenProblem();
    rig.port.Close();
    EXPECT_EQ(rig.printer.Calls(), c.calls);
    if (c.opened == ERR_PORT_BUSY) {
      EXPECT_THAT(rig.port.OpenProblem(), HasSubstr("/dev/bus/usb/001/005: "));
      EXPECT_THAT(rig.port.OpenProblem(), HasSubstr("print system"));
    }
  }
}

TEST(UnpluggedUsbPortTest, APrinterUnpluggedMidOperationEndsTransfersAtOnce) {
  // Limits long enough that running into them shows the unplugging went unnoticed.
  UsbPortRig rig({2s, 2s, 3500ms});
  auto& printer = rig.printer;
  auto& port = rig.port;
  testing::Plug(rig.bed, {}, printer);
  printer.SetDeviceId(testing::kOpal320Id);
  ASSERT_EQ(port.Open(PortId::Vlusb1), PORT_OK) << port.OpenProblem();
  const std::array<uint8_t, 5> frame{0x1B, 0x7C, 0x00, 0x05, 0x00};
  ASSERT_EQ(port.Send(frame), PORT_OK);

  printer.Unplug();
  EXPECT_EQ(port.Send(frame), ERR_SEND_COUNT);
  std::array<uint8_t, 18> reply{};
  EXPECT_EQ(port.Receive(reply), ERR_RECEIVE_COUNT);
  EXPECT_EQ(port.DeviceIdText(), "");
  port.Close();
  EXPECT_THAT(printer.Calls(), ElementsAre("claim", "release"));
}

}  // namespace
}  // namespace opal
