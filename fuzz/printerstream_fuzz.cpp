#include <cstddef>
#include <cstdint>
#include <span>

#include "virtualprinter/inputstream.h"
#include "virtualprinter/pageinterpreter.h"
#include "virtualprinter/servicecommand.h"

namespace {

// The printer's input side without its state directory: sheets are thrown away, frames parsed.
class Firmware final : public vp::StreamListener, public vp::PrintMechanism {
 public:
  void OnStartSequence() override {}
  void OnServiceFrame(std::span<const uint8_t> frame) override { vp::ParseServiceFrame(frame); }
  void OnBrokenFrame() override {}
  void OnPageByte(uint8_t byte) override { pages_.Take(byte); }
  bool InsidePageCommand() const override { return pages_.InsideCommand(); }
  int ReturnPassOffset(uint8_t, bool color_ink) const override { return color_ink ? -3 : 5; }
  void Eject(vp::PageCanvas&) override {}

  vp::PageInterpreter pages_{*this};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static Firmware* firmware = new Firmware;
  vp::InputStream stream(*firmware);
  stream.Feed(std::span<const uint8_t>(data, size));
  firmware->pages_.Reset();
  return 0;
}
