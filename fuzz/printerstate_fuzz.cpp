#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "virtualprinter/virtualprinter.h"

// A printer directory whose printer.json holds the fuzzer's bytes: it either opens or refuses with
// a message, never anything else.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("opal-fuzz-state-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "printer.json", std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  try {
    vp::VirtualPrinter printer(dir);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
