#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/portdevice.h"
#include "link/usbdiscovery.h"

namespace opal {

// What answers on one port.
struct PortReport {
  std::string port;  // "LPT1" .. "VLUSB3:"
  // The USB printer found at this port's position, whether or not it answered.
  std::optional<UsbPrinter> usb;
  std::string device_id;  // the printer's answer; empty when none came
  std::string problem;    // why none came: "no printer", or why the port cannot be reached
};

// Opens each of the six ports in turn, asks for the device ID and closes it again. A printer that
// does not answer within `answer_limit` counts as silent.
std::vector<PortReport> SurveyPorts(PortProvider& provider,
                                    const std::vector<UsbPrinter>& usb_printers,
                                    std::chrono::milliseconds answer_limit);

// The value of the first of `keys` present in a device-ID text ("MFG:VELTA;MDL:..."); empty
// when none is.
std::string DeviceIdValue(std::string_view device_id, std::initializer_list<std::string_view> keys);

}  // namespace opal
