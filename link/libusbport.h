#pragma once

#include <filesystem>

#include "link/portdevice.h"
#include "link/usbdiscovery.h"

namespace opal {

// Reaches a USB printer that no usblp node serves, through libusb: claims its printer interface,
// taking it from a kernel driver that holds it, and gives it back to that driver when the device
// closes, also when the claim itself fails. `dev_root` only names the node in messages: libusb
// finds the device itself.
OpenOutcome OpenThroughLibusb(const UsbPrinter& printer, const std::filesystem::path& dev_root);

// Why libusb would not give us the printer at `node`, from its error code, for the technician.
OpenOutcome RefusedByLibusb(const std::filesystem::path& node, int libusb_error);

}  // namespace opal
