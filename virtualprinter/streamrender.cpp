#include "virtualprinter/streamrender.h"

#include "virtualprinter/inputstream.h"
#include "virtualprinter/pageinterpreter.h"
#include "virtualprinter/pageshelf.h"

namespace vp {
namespace {

class StreamPrinter final : StreamListener, PrintMechanism {
 public:
  explicit StreamPrinter(const std::filesystem::path& dir)
      : shelf_((std::filesystem::create_directories(dir), StateFolder(dir))) {}

  int Print(std::span<const uint8_t> bytes) {
    stream_.Feed(bytes);
    return pages_;
  }

 private:
  void OnStartSequence() override {}
  void OnServiceFrame(std::span<const uint8_t>) override {}
  void OnBrokenFrame() override {}
  void OnPageByte(uint8_t byte) override { page_.Take(byte); }
  bool InsidePageCommand() const override { return page_.InsideCommand(); }
  int ReturnPassOffset(uint8_t, bool) const override { return 0; }
  void Eject(PageCanvas& sheet) override {
    shelf_.Keep(sheet.TakeSheet().EncodePng());
    ++pages_;
  }

  PageShelf shelf_;
  InputStream stream_{*this};
  PageInterpreter page_{*this};
  int pages_ = 0;
};

}  // namespace

int RenderStream(std::span<const uint8_t> bytes, const std::filesystem::path& dir) {
  StreamPrinter printer(dir);
  return printer.Print(bytes);
}

}  // namespace vp
