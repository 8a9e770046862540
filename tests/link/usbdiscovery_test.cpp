#include "link/usbdiscovery.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/usbdescriptors.h"

namespace opal {
namespace {

using testing::UsbDescriptors;

TEST(FindPrinterInterfaceTest, FindsTheBidirectionalPrinterInterfaceOfTheActiveConfiguration) {
  struct Case {
    const char* what;
    UsbDescriptors descriptors;
    int active_configuration;
    std::optional<PrinterInterface> found;
  };
  const auto device = [] { return UsbDescriptors().Device(0xf1e2, 0x0005); };
  const UsbDescriptors two_configurations = device()
                                                .Configuration(1)
                                                .Interface(0, 0, 3, 0)
                                                .Configuration(2)
                                                .Interface(0, 0, 7, 2)
                                                .Bulk(0x01)
                                                .Bulk(0x82);
  const std::vector<Case> cases{
      {"bidirectional interface", UsbDescriptors::Printer(), 1, PrinterInterface{0, 0, 0, 1, 0x82}},
      {"bidirectional only as alternate setting 1", UsbDescriptors::BidirectionalAsAlternate(), 1,
       PrinterInterface{0, 0, 1, 3, 0x84}},
      {"printer after another interface",
       device()
           .Configuration(1)
           .Interface(0, 0, 8, 0x50)
           .Bulk(0x01)
           .Bulk(0x81)
           .Interface(1, 0, 7, 2)
           .Bulk(0x02)
           .Bulk(0x83),
       1, PrinterInterface{0, 1, 0, 2, 0x83}},
      {"the printer is in the second configuration", two_configurations, 2,
       PrinterInterface{1, 0, 0, 1, 0x82}},
      {"the second configuration is not the active one", two_configurations, 1, std::nullopt},
      {"unidirectional printer", device().Configuration(1).Interface(0, 0, 7, 1).Bulk(0x01), 1,
       std::nullopt},
      {"no way back: interrupt instead of bulk in",
       device().Configuration(1).Interface(0, 0, 7, 2).Bulk(0x01).Endpoint(0x82, 0x03), 1,
       std::nullopt},
      {"not a printer", device().Configuration(1).Interface(0, 0, 8, 2).Bulk(0x01).Bulk(0x82), 1,
       std::nullopt},
      {"cut off inside an endpoint", UsbDescriptors::Printer().Add({0x07, 0x05, 0x83}), 1,
       std::nullopt},
      {"a descriptor of length 0", UsbDescriptors::Printer().Add({0x00, 0x05}), 1, std::nullopt},
      {"nothing", UsbDescriptors(), 1, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<PrinterInterface> found =
        FindPrinterInterface(c.descriptors.bytes(), c.active_configuration);
    ASSERT_EQ(found.has_value(), c.found.has_value());
    if (!found) continue;
    EXPECT_EQ(found->configuration_index, c.found->configuration_index);
    EXPECT_EQ(found->interface_number, c.found->interface_number);
    EXPECT_EQ(found->alt_setting, c.found->alt_setting);
    EXPECT_EQ(found->endpoint_out, c.found->endpoint_out);
    EXPECT_EQ(found->endpoint_in, c.found->endpoint_in);
  }
}

TEST(DescribeUsbPrinterTest, NamesWhatSysfsKnows) {
  UsbPrinter printer;
  printer.bus_path = "1-2.4";
  printer.vendor = 0xf1e2;
  printer.product = 0x0005;
  EXPECT_EQ(DescribeUsbPrinter(printer), "USB 1-2.4, f1e2:0005");
  printer.manufacturer = "VELTA";
  printer.product_name = "Opal 320";
  printer.serial = "S1";
  EXPECT_EQ(DescribeUsbPrinter(printer), "VELTA Opal 320 (USB 1-2.4, f1e2:0005, serial S1)");
}

}  // namespace
}  // namespace opal
