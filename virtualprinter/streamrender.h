#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

#include "virtualprinter/inputstream.h"
#include "virtualprinter/pageinterpreter.h"

namespace vp {

// The page language of a stream of bytes sent to a printer, with no printer behind it: service
// frames and the start sequence are taken and ignored, the head is aligned and healthy, and each
// sheet goes to `eject` as it leaves. A sheet the stream never ends with a form feed is not
// printed, as on the printer.
class StreamPrinter final : StreamListener, PrintMechanism {
 public:
  explicit StreamPrinter(std::function<void(PrintedSheet)> eject) : eject_(std::move(eject)) {}
  void Print(std::span<const uint8_t> bytes) { stream_.Feed(bytes); }

 private:
  void OnStartSequence() override {}
  void OnServiceFrame(std::span<const uint8_t>) override {}
  void OnBrokenFrame() override {}
  void OnPageByte(uint8_t byte) override { page_.Take(byte); }
  bool InsidePageCommand() const override { return page_.InsideCommand(); }
  int ReturnPassOffset(uint8_t, bool) const override { return 0; }
  void Eject(PageCanvas& sheet) override { eject_(sheet.TakeSheet()); }

  std::function<void(PrintedSheet)> eject_;
  InputStream stream_{*this};
  PageInterpreter page_{*this};
};

// How much one rendering may write. The largest print of the program is its three-page A4 check
// sheet, some 80 kB a page; a stream that prints far more is not one of its prints but bytes the
// page language takes for pages (4 kB of garbage made 2,000 pages, 50 MB of random bytes 1.5 GB
// of them), and would fill the disk.
struct RenderLimits {
  int pages = 100;
  std::uintmax_t bytes = 64ull << 20;
};

// Prints `bytes` as a StreamPrinter does into `dir` (made when missing), as page-0001.png and on,
// numbered on from the pages already there. Returns how many pages were written; throws
// std::runtime_error when one cannot be, or would pass `limits` (the pages before it are kept).
int RenderStream(std::span<const uint8_t> bytes, const std::filesystem::path& dir,
                 const RenderLimits& limits = {});

}  // namespace vp
