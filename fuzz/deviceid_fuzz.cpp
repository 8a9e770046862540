#include <cstddef>
#include <cstdint>
#include <span>

#include "link/deviceid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  opal::DeviceIdFromReply(bytes);
  opal::DeviceIdComplete(bytes);
  return 0;
}
