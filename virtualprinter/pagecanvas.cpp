#include "virtualprinter/pagecanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <array>
#include <new>
#include <stdexcept>

namespace vp {
namespace {

constexpr int kInkCount = 6;
constexpr QRgb kWhite = 0xFFFFFFFF;

// What a full drop of each ink leaves on white paper, in the order of Ink.
constexpr std::array<QRgb, kInkCount> kInkColours{
    qRgb(0x1E, 0x1E, 0x22),  // black
    qRgb(0x00, 0x9E, 0xE0),  // cyan
    qRgb(0xE2, 0x1A, 0x7E),  // magenta
    qRgb(0xFF, 0xE6, 0x00),  // yellow
    qRgb(0x8C, 0xD6, 0xF4),  // light cyan
    qRgb(0xF4, 0xA6, 0xCE),  // light magenta
};

// How much of a pixel a drop of each size covers, in percent.
constexpr std::array<int, PageCanvas::kFullDrop> kCoverage{50, 80, 100};

// Per ink and drop size, the share of each colour channel that the paper still reflects,
// in 256ths.
struct Filter {
  std::array<uint32_t, 3> keep;
};

std::array<std::array<Filter, PageCanvas::kFullDrop>, kInkCount> MakeFilters() {
  std::array<std::array<Filter, PageCanvas::kFullDrop>, kInkCount> filters{};
  for (int ink = 0; ink < kInkCount; ++ink) {
    const QRgb colour = kInkColours[static_cast<std::size_t>(ink)];
    const std::array<int, 3> channels{qRed(colour), qGreen(colour), qBlue(colour)};
    for (int size = 0; size < PageCanvas::kFullDrop; ++size) {
      const int coverage = kCoverage[static_cast<std::size_t>(size)];
      for (std::size_t c = 0; c < channels.size(); ++c) {
        const int absorbed = (255 - channels[c]) * coverage / 100;
        filters[static_cast<std::size_t>(ink)][static_cast<std::size_t>(size)].keep[c] =
            static_cast<uint32_t>((255 - absorbed) * 256 / 255);
      }
    }
  }
  return filters;
}

const auto kFilters = MakeFilters();

}  // namespace

struct PageCanvas::Sheet {
  // The image is made on the first drop, so a printer that never prints holds no page memory.
  void Lay(int x, int y, Ink ink, int size) {
    if (image.isNull()) Allocate();
    QRgb& pixel = Row(y)[x];
    const Filter& filter =
        kFilters[static_cast<std::size_t>(ink)][static_cast<std::size_t>(size - 1)];
    pixel = qRgb(static_cast<int>(static_cast<uint32_t>(qRed(pixel)) * filter.keep[0] >> 8),
                 static_cast<int>(static_cast<uint32_t>(qGreen(pixel)) * filter.keep[1] >> 8),
                 static_cast<int>(static_cast<uint32_t>(qBlue(pixel)) * filter.keep[2] >> 8));
    inked_top = std::min(inked_top, y);
    inked_bottom = std::max(inked_bottom, y);
  }

  void Allocate() {
    image = QImage(kWidth, kHeight, QImage::Format_RGB32);
    if (image.isNull()) throw std::bad_alloc();
    image.fill(kWhite);
    bits = image.bits();
    stride = image.bytesPerLine();
  }

  QRgb* Row(int y) const {
    return reinterpret_cast<QRgb*>(bits + static_cast<std::ptrdiff_t>(y) * stride);
  }

  bool Blank() const { return inked_top > inked_bottom; }

  // Only the rows that took ink are washed: most of a sheet is never touched.
  void Clear() {
    for (int y = inked_top; y <= inked_bottom; ++y) {
      std::fill_n(Row(y), kWidth, kWhite);
    }
    inked_top = kHeight;
    inked_bottom = -1;
  }

  QImage image;
  uchar* bits = nullptr;
  qsizetype stride = 0;
  int inked_top = kHeight;
  int inked_bottom = -1;
};

PageCanvas::PageCanvas() : sheet_(std::make_unique<Sheet>()) {}

PageCanvas::~PageCanvas() = default;

void PageCanvas::Drop(int x, int y, Ink ink, int size) {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || size < 1) return;
  sheet_->Lay(x, y, ink, std::min(size, kFullDrop));
}

bool PageCanvas::Blank() const {
  return sheet_->Blank();
}

PrintedSheet PageCanvas::Printed() const {
  PrintedSheet sheet;
  if (sheet_->Blank()) return sheet;
  sheet.top_ = sheet_->inked_top;
  for (int y = sheet_->inked_top; y <= sheet_->inked_bottom; ++y) {
    const QRgb* row = sheet_->Row(y);
    sheet.rows_.insert(sheet.rows_.end(), row, row + kWidth);
  }
  return sheet;
}

std::vector<uint8_t> PrintedSheet::EncodePng() const {
  QImage page(PageCanvas::kWidth, PageCanvas::kHeight, QImage::Format_RGB32);
  if (page.isNull()) throw std::bad_alloc();
  page.fill(kWhite);
  const std::size_t rows = rows_.size() / PageCanvas::kWidth;
  for (std::size_t row = 0; row < rows; ++row) {
    std::copy_n(rows_.begin() + static_cast<std::ptrdiff_t>(row * PageCanvas::kWidth),
                PageCanvas::kWidth,
                reinterpret_cast<QRgb*>(page.scanLine(top_ + static_cast<int>(row))));
  }
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !page.save(&buffer, "PNG")) {
    throw std::runtime_error("cannot encode a printed page as PNG");
  }
  return {png.begin(), png.end()};
}

void PageCanvas::Clear() {
  sheet_->Clear();
}

}  // namespace vp
