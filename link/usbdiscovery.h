#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace opal {

// The interface of a USB device that speaks the printer class's bidirectional protocol, with
// what a transfer and the device-ID request need to address it.
struct PrinterInterface {
  int configuration_index = 0;  // position among the device's configurations, for GET_DEVICE_ID
  int interface_number = 0;
  int alt_setting = 0;
  uint8_t endpoint_out = 0;
  uint8_t endpoint_in = 0;
};

// Finds the bidirectional printer interface in a device's raw descriptors (the device descriptor
// followed by every configuration, as sysfs keeps them), looking only at the configuration with
// the given value. Malformed or truncated descriptors find nothing.
std::optional<PrinterInterface> FindPrinterInterface(std::span<const uint8_t> descriptors,
                                                     int configuration_value);

// A USB printer plugged into this machine, as sysfs describes it: nothing here opens the device,
// so it is known before anyone has permission on it.
struct UsbPrinter {
  std::string bus_path;  // the kernel's name: bus, then the hub port path ("1-2.4")
  int bus = 0;
  std::vector<int> ports;
  int address = 0;  // device number on the bus
  uint16_t vendor = 0;
  uint16_t product = 0;
  std::string manufacturer;
  std::string product_name;
  std::string serial;
  PrinterInterface interface;
  // "lp0" when usblp serves the interface, empty when no kernel driver gives it a node.
  std::string usblp;

  // The usbfs node libusb opens ("bus/usb/001/005" under the device root).
  std::filesystem::path UsbfsNode(const std::filesystem::path& dev_root) const;
};

// What sysfs tells a person about the printer: "VELTA Opal 320 (USB 1-2, f1e2:0005, serial X)".
std::string DescribeUsbPrinter(const UsbPrinter& printer);

// Every USB printer under `sys_root`, in a stable order: by bus, then by port path. A device
// whose attributes cannot be read is left out, as it is gone or going.
std::vector<UsbPrinter> FindUsbPrinters(const std::filesystem::path& sys_root);

}  // namespace opal
