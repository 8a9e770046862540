#include "tests/link/umockdev/usbprinterbed.h"

#include <cstdio>

namespace opal::testing {

std::string EmulatedUsbPrinter::UsbfsNode() const {
  char node[32];
  std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d", bus, address);
  return node;
}

std::string EmulatedUsbPrinter::Description() const {
  const std::string node = UsbfsNode().substr(5);
  std::string text =
      "P: " + SysPath() + "\nN: " + node +
      "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=/dev/" + node +
      "\nE: BUSNUM=" + node.substr(8, 3) + "\nE: DEVNUM=" + node.substr(12, 3) +
      "\nA: busnum=" + std::to_string(bus) + "\nA: devnum=" + std::to_string(address) +
      "\nA: idVendor=f1e2\nA: idProduct=0005\nA: manufacturer=VELTA"
      "\nA: product=Opal 320\nA: serial=S" +
      std::to_string(address) +
      "\nA: bConfigurationValue=1\nA: speed=480\nH: descriptors=" + descriptors.Hex() +
      "\n\nP: " + SysPath() + "/" + bus_path +
      ":1.0\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceClass=07\n";
  if (!usblp.empty()) {
    text += "\nP: " + SysPath() + "/" + bus_path + ":1.0/usbmisc/" + usblp + "\n";
    if (usblp_node) text += "N: usb/" + usblp + "\nE: DEVNAME=/dev/usb/" + usblp + "\n";
    text += "E: SUBSYSTEM=usbmisc\nA: dev=180:0\n";
  }
  return text;
}

void Plug(Testbed& bed, const EmulatedUsbPrinter& printer, NodeHandler& usbfs) {
  bed.Attach(printer.UsbfsNode(), usbfs);
  bed.Add(printer.Description());
}

}  // namespace opal::testing
