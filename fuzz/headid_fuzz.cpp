#include <cstddef>
#include <cstdint>

#include "device/headid.h"
#include "fuzz/fuzztext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  opal::HeadIdValues values{};
  opal::DecodeHeadId(opal::fuzz::AsText(data, size), values);
  return 0;
}
