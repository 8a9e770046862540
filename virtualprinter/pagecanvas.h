#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vp {

enum class Ink : uint8_t { Black, Cyan, Magenta, Yellow, LightCyan, LightMagenta };

// The ink of a sheet that left the printer, held apart from the canvas so the page can be encoded
// while the next one prints.
class PrintedSheet {
 public:
  // Page memory comes from calloc, which leaves the untouched rows to the system's zero pages.
  struct FreeDeleter {
    void operator()(uint8_t* bytes) const;
  };
  static constexpr std::size_t kRowBytes = 2976;  // PageCanvas::kWidth, one byte per pixel

  // The page as the bytes of a PNG file.
  std::vector<uint8_t> EncodePng() const;
  // The memory the sheet's inked rows take; the rest was never touched.
  std::size_t Bytes() const { return inked_rows_ * kRowBytes; }

 private:
  friend class PageCanvas;
  std::unique_ptr<uint8_t, FreeDeleter> pixels_;  // one palette number per pixel; none: blank
  std::vector<uint32_t> palette_;                 // 0xffRRGGBB per number; 0 is the paper's white
  std::size_t inked_rows_ = 0;
};

// One sheet of A4 paper at the head's resolution, white until ink lands on it. Ink is laid
// subtractively: every drop darkens what is already there, so overlapping inks mix as on paper.
class PageCanvas {
 public:
  static constexpr int kDotsPerInch = 360;
  static constexpr int kWidth = 2976;   // 210 mm
  static constexpr int kHeight = 4209;  // 297 mm
  // The head cannot reach the paper's edges; positions in the page language count from here.
  static constexpr int kMargin = 48;
  static constexpr int kPrintableWidth = kWidth - 2 * kMargin;
  static constexpr int kPrintableHeight = kHeight - 2 * kMargin;
  // A drop of the smallest size covers a pixel to this part of the full amount, in steps up to 3.
  static constexpr int kFullDrop = 3;

  PageCanvas();
  ~PageCanvas();
  PageCanvas(const PageCanvas&) = delete;
  PageCanvas& operator=(const PageCanvas&) = delete;

  // Lays a drop of `size` (1 to kFullDrop) on the pixel at (x, y) of the page; a drop off the
  // paper is lost, as is every drop of a head that holds no ink. A head driven with another
  // head's data lays only small drops, and none in every second band of kBandRows rows.
  void Drop(int x, int y, Ink ink, int size);
  void SetHead(bool charged, bool id_matches);
  static constexpr int kBandRows = 24;
  bool Blank() const;
  // The sheet as printed, taken out of the printer, which then holds a fresh white sheet.
  PrintedSheet TakeSheet();
  // A fresh white sheet.
  void Clear();

 private:
  struct Sheet;
  std::unique_ptr<Sheet> sheet_;
};

}  // namespace vp
