#include <cstddef>
#include <cstdint>

#include "device/datamanu.h"
#include "device/eeprom.h"
#include "fuzz/fuzztext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const auto [first, second] = opal::fuzz::TwoFields(data, size);
  opal::ParseEepromRange(first, second);
  opal::ParseEepromByte(first, second);
  uint8_t value = 0;
  opal::HexPairToByte(first, value);
  return 0;
}
