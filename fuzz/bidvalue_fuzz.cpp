#include <cstddef>
#include <cstdint>

#include "device/bid.h"
#include "fuzz/fuzztext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  opal::BidValueFromText(opal::fuzz::AsText(data, size));
  return 0;
}
