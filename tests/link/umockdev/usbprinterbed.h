#pragma once

#include <string>

#include "tests/link/umockdev/testbed.h"
#include "tests/support/usbdescriptors.h"

namespace opal::testing {

inline constexpr const char* kOpal320Id = "MFG:VELTA;CMD:ESCPL2;MDL:Corvane Opal 320;CLS:PRINTER;";

// One USB printer in a testbed, as the kernel shows it in sysfs.
struct EmulatedUsbPrinter {
  std::string bus_path = "1-2";
  int bus = 1;
  int address = 5;
  UsbDescriptors descriptors = UsbDescriptors::Printer();
  // "lp0" when usblp serves the printer.
  std::string usblp{};
  // Whether /dev has the usblp node; without it usblp serves the printer but no one can open it.
  bool usblp_node = true;

  std::string UsbfsNode() const;
  std::string SysPath() const { return "/devices/pci0000:00/0000:00:14.0/usb1/" + bus_path; }
  // The description umockdev takes; the usbfs node comes last so a handler attached to it is in
  // place when the device appears.
  std::string Description() const;
};

// Adds the printer, with `usbfs` answering on its usbfs node.
void Plug(Testbed& bed, const EmulatedUsbPrinter& printer, NodeHandler& usbfs);

}  // namespace opal::testing
