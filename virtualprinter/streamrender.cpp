#include "virtualprinter/streamrender.h"

#include "virtualprinter/pageshelf.h"

namespace vp {

int RenderStream(std::span<const uint8_t> bytes, const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  PageShelf shelf{StateFolder(dir)};
  int pages = 0;
  StreamPrinter printer([&](const PrintedSheet& sheet) {
    shelf.Keep(sheet.EncodePng());
    ++pages;
  });
  printer.Print(bytes);
  return pages;
}

}  // namespace vp
