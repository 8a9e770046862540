#include "virtualprinter/streamrender.h"

#include <stdexcept>
#include <string>

#include "virtualprinter/pageshelf.h"

namespace vp {

int RenderStream(std::span<const uint8_t> bytes, const std::filesystem::path& dir,
                 const RenderLimits& limits) {
  std::filesystem::create_directories(dir);
  PageShelf shelf{StateFolder(dir)};
  int pages = 0;
  std::uintmax_t written = 0;
  const auto stop = [&](const std::string& beyond) {
    throw std::runtime_error(dir.string() + ": the stream prints more than " + beyond +
                             ", far more than any print of Opal Service; rendering stopped after " +
                             std::to_string(pages) + (pages == 1 ? " page" : " pages"));
  };
  StreamPrinter printer([&](const PrintedSheet& sheet) {
    if (pages == limits.pages) stop(std::to_string(limits.pages) + " pages");
    const std::vector<uint8_t> png = sheet.EncodePng();
    if (written + png.size() > limits.bytes) {
      stop(std::to_string(limits.bytes) + " bytes of pages");
    }
    shelf.Keep(png);
    written += png.size();
    ++pages;
  });
  printer.Print(bytes);
  return pages;
}

}  // namespace vp
