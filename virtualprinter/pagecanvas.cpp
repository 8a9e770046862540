#include "virtualprinter/pagecanvas.h"

#include <png.h>

#include <csetjmp>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace vp {
namespace {

using Colour = uint32_t;  // 0xffRRGGBB

constexpr int kInkCount = 6;
constexpr Colour kWhite = 0xFFFFFFFF;
constexpr std::size_t kMostColours = 256;  // what one byte per pixel can name
constexpr int kMixes = kInkCount * PageCanvas::kFullDrop;
// A page has a handful of colours: up to 16 fit in half a byte per pixel, which halves what
// zlib has to pack. Its fastest level packs the long runs of paper white nearly as well as the
// best, at a fraction of the time.
constexpr std::size_t kHalfByteColours = 16;
constexpr int kPngCompression = 1;

constexpr Colour Rgb(int red, int green, int blue) {
  return 0xFF000000u | static_cast<Colour>(red) << 16 | static_cast<Colour>(green) << 8 |
         static_cast<Colour>(blue);
}
constexpr int Red(Colour colour) {
  return static_cast<int>(colour >> 16 & 0xFF);
}
constexpr int Green(Colour colour) {
  return static_cast<int>(colour >> 8 & 0xFF);
}
constexpr int Blue(Colour colour) {
  return static_cast<int>(colour & 0xFF);
}

// What a full drop of each ink leaves on white paper, in the order of Ink.
constexpr std::array<Colour, kInkCount> kInkColours{
    Rgb(0x1E, 0x1E, 0x22),  // black
    Rgb(0x00, 0x9E, 0xE0),  // cyan
    Rgb(0xE2, 0x1A, 0x7E),  // magenta
    Rgb(0xFF, 0xE6, 0x00),  // yellow
    Rgb(0x8C, 0xD6, 0xF4),  // light cyan
    Rgb(0xF4, 0xA6, 0xCE),  // light magenta
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
    const Colour colour = kInkColours[static_cast<std::size_t>(ink)];
    const std::array<int, 3> channels{Red(colour), Green(colour), Blue(colour)};
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

Colour Darken(Colour pixel, const Filter& filter) {
  return Rgb(static_cast<int>(static_cast<uint32_t>(Red(pixel)) * filter.keep[0] >> 8),
             static_cast<int>(static_cast<uint32_t>(Green(pixel)) * filter.keep[1] >> 8),
             static_cast<int>(static_cast<uint32_t>(Blue(pixel)) * filter.keep[2] >> 8));
}

int Distance(Colour a, Colour b) {
  const int red = Red(a) - Red(b);
  const int green = Green(a) - Green(b);
  const int blue = Blue(a) - Blue(b);
  return red * red + green * green + blue * blue;
}

using PixelMemory = std::unique_ptr<uint8_t, PrintedSheet::FreeDeleter>;

// Zeroed by the system page by page as it is touched, so the rows never inked cost nothing.
PixelMemory AllocatePage() {
  PixelMemory pixels(
      static_cast<uint8_t*>(std::calloc(std::size_t{PageCanvas::kWidth} * PageCanvas::kHeight, 1)));
  if (!pixels) throw std::bad_alloc();
  return pixels;
}

}  // namespace

static_assert(PrintedSheet::kRowBytes == PageCanvas::kWidth);

void PrintedSheet::FreeDeleter::operator()(uint8_t* bytes) const {
  std::free(bytes);
}

// A sheet holds one byte per pixel, the number of its colour in a palette that grows as inks mix:
// a page has a handful of colours, so a byte per pixel is a quarter of the memory and encodes as
// an indexed PNG. What a drop makes of each colour is worked out once and kept.
struct PageCanvas::Sheet {
  Sheet() { ForgetColours(); }

  // A blank sheet starts its palette afresh, so no page carries the colours of the ones before.
  void ForgetColours() {
    palette.assign({kWhite});
    known = {{kWhite, 0}};
    mixed.fill(-1);
  }

  // The pixels are made on the first drop, so a printer that never prints holds no page memory.
  void Lay(int x, int y, Ink ink, int size) {
    if (!pixels) pixels = AllocatePage();
    uint8_t& pixel =
        pixels.get()[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)];
    int16_t& result =
        mixed[static_cast<std::size_t>(pixel) * kMixes + static_cast<std::size_t>(ink) * kFullDrop +
              static_cast<std::size_t>(size - 1)];
    if (result < 0) result = static_cast<int16_t>(Mix(pixel, ink, size));
    pixel = static_cast<uint8_t>(result);
    inked_top = std::min(inked_top, y);
    inked_bottom = std::max(inked_bottom, y);
  }

  // The palette's number for what the drop leaves; once the palette is full, its nearest colour.
  uint8_t Mix(uint8_t pixel, Ink ink, int size) {
    const Colour colour =
        Darken(palette[pixel],
               kFilters[static_cast<std::size_t>(ink)][static_cast<std::size_t>(size - 1)]);
    if (const auto found = known.find(colour); found != known.end()) return found->second;
    if (palette.size() < kMostColours) {
      const auto number = static_cast<uint8_t>(palette.size());
      palette.push_back(colour);
      known.emplace(colour, number);
      return number;
    }
    const auto nearest = std::min_element(
        palette.begin(), palette.end(),
        [colour](Colour a, Colour b) { return Distance(a, colour) < Distance(b, colour); });
    return static_cast<uint8_t>(nearest - palette.begin());
  }

  bool Blank() const { return inked_top > inked_bottom; }

  // Only the rows that took ink are washed: most of a sheet is never touched.
  void Clear() {
    if (!Blank()) {
      std::memset(pixels.get() + static_cast<std::size_t>(inked_top) * kWidth, 0,
                  static_cast<std::size_t>(inked_bottom - inked_top + 1) * kWidth);
    }
    MakeBlank();
  }

  void MakeBlank() {
    inked_top = kHeight;
    inked_bottom = -1;
    ForgetColours();
  }

  PixelMemory pixels;
  std::vector<Colour> palette;
  std::unordered_map<Colour, uint8_t> known;
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

PrintedSheet PageCanvas::TakeSheet() {
  PrintedSheet sheet;
  sheet.palette_ = sheet_->palette;
  if (sheet_->Blank()) return sheet;
  sheet.inked_rows_ = static_cast<std::size_t>(sheet_->inked_bottom - sheet_->inked_top + 1);
  sheet.pixels_ = std::move(sheet_->pixels);
  sheet_->MakeBlank();
  return sheet;
}

namespace {

// What libpng writes, and why it stopped when it did.
struct PngOutput {
  std::vector<uint8_t> bytes;
  std::string failure;
};

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
  auto& output = *static_cast<PngOutput*>(png_get_io_ptr(png));
  bool stored = true;
  try {
    output.bytes.insert(output.bytes.end(), data, data + length);
  } catch (const std::bad_alloc&) {
    stored = false;
  }
  if (!stored) png_error(png, "out of memory");
}

void FailPng(png_structp png, png_const_charp message) {
  static_cast<PngOutput*>(png_get_error_ptr(png))->failure = message;
  png_longjmp(png, 1);
}

void WarnPng(png_structp, png_const_charp) {}

// libpng leaves an error by a long jump back here, so nothing between here and libpng may need
// destroying: this holds only plain values.
bool WritePng(png_structp png, png_infop info, const uint8_t* pixels,
              const std::vector<png_color>& colours, uint8_t* packed) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  const bool half_bytes = colours.size() <= kHalfByteColours;
  png_set_IHDR(png, info, PageCanvas::kWidth, PageCanvas::kHeight, half_bytes ? 4 : 8,
               PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, kPngCompression);
  png_write_info(png, info);
  for (int y = 0; y < PageCanvas::kHeight; ++y) {
    const uint8_t* row = pixels + static_cast<std::size_t>(y) * PrintedSheet::kRowBytes;
    if (!half_bytes) {
      png_write_row(png, row);
      continue;
    }
    for (std::size_t x = 0; x < PrintedSheet::kRowBytes / 2; ++x) {
      packed[x] = static_cast<uint8_t>(row[2 * x] << 4 | row[2 * x + 1]);
    }
    png_write_row(png, packed);
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<uint8_t> PrintedSheet::EncodePng() const {
  const PixelMemory blank = pixels_ ? nullptr : AllocatePage();
  std::vector<png_color> colours;
  for (const Colour colour : palette_.empty() ? std::vector<Colour>{kWhite} : palette_) {
    colours.push_back({static_cast<png_byte>(Red(colour)), static_cast<png_byte>(Green(colour)),
                       static_cast<png_byte>(Blue(colour))});
  }
  std::vector<uint8_t> packed(kRowBytes / 2);
  PngOutput output;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, FailPng, WarnPng);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool written = false;
  if (info != nullptr) {
    png_set_write_fn(png, &output, AppendPng, nullptr);
    written = WritePng(png, info, pixels_ ? pixels_.get() : blank.get(), colours, packed.data());
  }
  png_destroy_write_struct(&png, &info);
  if (!written) {
    throw std::runtime_error(
        "cannot encode a printed page as PNG: " +
        (output.failure.empty() ? std::string("out of memory") : output.failure));
  }
  return std::move(output.bytes);
}

void PageCanvas::Clear() {
  sheet_->Clear();
}

}  // namespace vp
