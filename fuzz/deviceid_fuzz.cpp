#include <cstddef>
#include <cstdint>
#include <span>

#include "link/deviceid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  opal::DeviceIdFromReply(std::span<const uint8_t>(data, size));
  return 0;
}
