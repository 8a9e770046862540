#include "virtualprinter/pagecanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <unordered_map>

namespace vp {
namespace {

constexpr int kInkCount = 6;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr std::size_t kMostColours = 256;  // what one byte per pixel can name
constexpr int kMixes = kInkCount * PageCanvas::kFullDrop;
// zlib's fastest level: a page is mostly runs of paper white, which the fastest level packs
// nearly as well as the best, at a fraction of the time.
constexpr int kPngQuality = 80;

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

QRgb Darken(QRgb pixel, const Filter& filter) {
  return qRgb(static_cast<int>(static_cast<uint32_t>(qRed(pixel)) * filter.keep[0] >> 8),
              static_cast<int>(static_cast<uint32_t>(qGreen(pixel)) * filter.keep[1] >> 8),
              static_cast<int>(static_cast<uint32_t>(qBlue(pixel)) * filter.keep[2] >> 8));
}

int Distance(QRgb a, QRgb b) {
  const int red = qRed(a) - qRed(b);
  const int green = qGreen(a) - qGreen(b);
  const int blue = qBlue(a) - qBlue(b);
  return red * red + green * green + blue * blue;
}

struct FreeDeleter {
  void operator()(uint8_t* bytes) const { std::free(bytes); }
};

}  // namespace

// A sheet holds one byte per pixel, the number of its colour in a palette that grows as inks mix:
// a page has a handful of colours, so a byte per pixel is a quarter of the memory and encodes as
// an indexed PNG. What a drop makes of each colour is worked out once and kept.
struct PageCanvas::Sheet {
  Sheet() : palette{kWhite}, known{{kWhite, 0}} { mixed.fill(-1); }

  // The pixels are made on the first drop, zeroed by the system as they are touched, so a
  // printer that never prints holds no page memory.
  void Lay(int x, int y, Ink ink, int size) {
    if (!pixels) Allocate();
    uint8_t& pixel = pixels.get()[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)];
    int16_t& result = mixed[static_cast<std::size_t>(pixel) * kMixes +
                            static_cast<std::size_t>(ink) * kFullDrop +
                            static_cast<std::size_t>(size - 1)];
    if (result < 0) result = static_cast<int16_t>(Mix(pixel, ink, size));
    pixel = static_cast<uint8_t>(result);
    inked_top = std::min(inked_top, y);
    inked_bottom = std::max(inked_bottom, y);
  }

  // The palette's number for what the drop leaves; once the palette is full, its nearest colour.
  uint8_t Mix(uint8_t pixel, Ink ink, int size) {
    const QRgb colour = Darken(palette[pixel], kFilters[static_cast<std::size_t>(ink)]
                                                       [static_cast<std::size_t>(size - 1)]);
    if (const auto found = known.find(colour); found != known.end()) return found->second;
    if (palette.size() < kMostColours) {
      const auto number = static_cast<uint8_t>(palette.size());
      palette.push_back(colour);
      known.emplace(colour, number);
      return number;
    }
    const auto nearest = std::min_element(palette.begin(), palette.end(), [colour](QRgb a, QRgb b) {
      return Distance(a, colour) < Distance(b, colour);
    });
    return static_cast<uint8_t>(nearest - palette.begin());
  }

  void Allocate() {
    pixels.reset(static_cast<uint8_t*>(std::calloc(std::size_t{kWidth} * kHeight, 1)));
    if (!pixels) throw std::bad_alloc();
  }

  const uint8_t* Row(int y) const { return pixels.get() + static_cast<std::size_t>(y) * kWidth; }

  bool Blank() const { return inked_top > inked_bottom; }

  // Only the rows that took ink are washed: most of a sheet is never touched.
  void Clear() {
    if (!Blank()) {
      std::memset(pixels.get() + static_cast<std::size_t>(inked_top) * kWidth, 0,
                  static_cast<std::size_t>(inked_bottom - inked_top + 1) * kWidth);
    }
    inked_top = kHeight;
    inked_bottom = -1;
  }

  std::unique_ptr<uint8_t, FreeDeleter> pixels;
  std::vector<QRgb> palette;
  std::unordered_map<QRgb, uint8_t> known;
  std::array<int16_t, kMostColours * kMixes> mixed{};
  int inked_top = kHeight;
  int inked_bottom = -1;
  bool charged = true;
  bool id_matches = true;
};

PageCanvas::PageCanvas() : sheet_(std::make_unique<Sheet>()) {}

PageCanvas::~PageCanvas() = default;

void PageCanvas::Drop(int x, int y, Ink ink, int size) {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || size < 1 || !sheet_->charged) return;
  if (!sheet_->id_matches) {
    if (y / kBandRows % 2 != 0) return;
    size = 1;
  }
  sheet_->Lay(x, y, ink, std::min(size, kFullDrop));
}

void PageCanvas::SetHead(bool charged, bool id_matches) {
  sheet_->charged = charged;
  sheet_->id_matches = id_matches;
}

bool PageCanvas::Blank() const {
  return sheet_->Blank();
}

PrintedSheet PageCanvas::Printed() const {
  PrintedSheet sheet;
  sheet.palette_ = sheet_->palette;
  if (sheet_->Blank()) return sheet;
  sheet.top_ = sheet_->inked_top;
  sheet.rows_.assign(sheet_->Row(sheet_->inked_top), sheet_->Row(sheet_->inked_bottom + 1));
  return sheet;
}

std::vector<uint8_t> PrintedSheet::EncodePng() const {
  QImage page(PageCanvas::kWidth, PageCanvas::kHeight, QImage::Format_Indexed8);
  if (page.isNull()) throw std::bad_alloc();
  page.setColorTable(QList<QRgb>(palette_.begin(), palette_.end()));
  const std::size_t rows = rows_.size() / PageCanvas::kWidth;
  const int bottom = top_ + static_cast<int>(rows);
  for (int y = 0; y < PageCanvas::kHeight; ++y) {
    uchar* line = page.scanLine(y);
    if (y >= top_ && y < bottom) {
      std::memcpy(line, rows_.data() + static_cast<std::size_t>(y - top_) * PageCanvas::kWidth,
                  PageCanvas::kWidth);
    } else {
      std::memset(line, 0, PageCanvas::kWidth);
    }
  }
  QByteArray png;
  QBuffer buffer(&png);
  QImageWriter writer(&buffer, "png");
  writer.setQuality(kPngQuality);
  if (!buffer.open(QIODevice::WriteOnly) || !writer.write(page)) {
    throw std::runtime_error("cannot encode a printed page as PNG");
  }
  return {png.begin(), png.end()};
}

void PageCanvas::Clear() {
  sheet_->Clear();
}

}  // namespace vp
