#include <cstddef>
#include <cstdint>

#include "ui/widgets/jpegpicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  opal::ui::DecodeJpeg(
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  return 0;
}
