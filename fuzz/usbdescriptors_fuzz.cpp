#include <cstddef>
#include <cstdint>
#include <span>

#include "link/portsurvey.h"
#include "link/usbdiscovery.h"

// A device's raw descriptors as sysfs hands them over, and a device-ID text read from the printer.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> bytes(data + 1, size - 1);
  opal::FindPrinterInterface(bytes, data[0]);
  opal::DeviceIdValue(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                      {"MFG", "MANUFACTURER"});
  return 0;
}
