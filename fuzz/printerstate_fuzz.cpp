#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

#include "virtualprinter/virtualprinter.h"

namespace {

std::string Settings(const std::filesystem::path& dir) {
  std::ifstream in(dir / "printer.json", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

// A printer directory whose printer.json holds the fuzzer's bytes: it either opens or refuses with
// a message, never anything else. What opens is saved, and what was saved opens again and saves
// to the same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // A fresh printer's folder, whose other files are valid: only printer.json is in question.
  static const std::filesystem::path dir = [] {
    const auto fresh =
        std::filesystem::temp_directory_path() / ("opal-fuzz-state-" + std::to_string(getpid()));
    std::filesystem::remove_all(fresh);
    vp::VirtualPrinter printer(fresh);
    return fresh;
  }();
  std::ofstream(dir / "printer.json", std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  std::optional<vp::VirtualPrinter> loaded;
  try {
    loaded.emplace(dir);
  } catch (const std::runtime_error&) {
    return 0;
  }
  loaded->SetFaults(loaded->GetFaults());
  const std::string saved = Settings(dir);
  vp::VirtualPrinter reloaded(dir);
  reloaded.SetFaults(reloaded.GetFaults());
  if (Settings(dir) != saved) std::abort();
  return 0;
}
