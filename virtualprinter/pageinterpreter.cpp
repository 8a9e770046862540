#include "virtualprinter/pageinterpreter.h"

#include <algorithm>
#include <array>

#include "virtualprinter/nozzlecheck.h"
#include "virtualprinter/residentfont.h"
#include "virtualprinter/servicecommand.h"

namespace vp {
namespace {

constexpr uint8_t kCarriageReturn = 0x0D;
constexpr uint8_t kLineFeed = 0x0A;
constexpr uint8_t kFormFeed = 0x0C;
constexpr uint8_t kFirstPrintable = 0x20;
constexpr uint8_t kDelete = 0x7F;

// No command the printer knows has more parameter bytes than this; the rest are only counted.
constexpr std::size_t kKeptBytes = 16;
constexpr std::size_t kExtendedHeader = 3;  // letter and 16-bit length
constexpr std::size_t kRemoteHeader = 4;    // two-letter name and 16-bit length

constexpr int kUnitsPerInch = 3600;
constexpr int kPixelUnits = kUnitsPerInch / PageCanvas::kDotsPerInch;
constexpr int kDefaultUnit = kPixelUnits;
constexpr int64_t kOffThePage = 1 << 20;
constexpr std::array<uint8_t, 8> kRemoteEntry{0x00, 'R', 'E', 'M', 'O', 'T', 'E', '1'};
constexpr std::array<uint8_t, 2> kRemoteExit{kEsc, 0x00};

// The escape codes the printer knows and how many parameter bytes follow each; ESC ( is followed
// by a letter and a length that say how many more.
struct EscapeCommand {
  uint8_t code;
  std::size_t parameters;
};
constexpr std::array<EscapeCommand, 6> kEscapes{
    {{'@', 0}, {'<', 0}, {'U', 1}, {'.', 6}, {'i', 7}, {'(', kExtendedHeader}}};

uint16_t Word(uint8_t low, uint8_t high) {
  return static_cast<uint16_t>(low | high << 8);
}

// The ink a density (1 = light) and colour pair selects; black, magenta, cyan and yellow have
// the colour codes 0, 1, 2 and 4, and only magenta and cyan come light.
std::optional<Ink> InkOf(uint8_t density, uint8_t colour) {
  if (density > 1) return std::nullopt;
  const bool light = density == 1;
  switch (colour) {
    case 0:
      if (!light) return Ink::Black;
      break;
    case 1:
      return light ? Ink::LightMagenta : Ink::Magenta;
    case 2:
      return light ? Ink::LightCyan : Ink::Cyan;
    case 4:
      if (!light) return Ink::Yellow;
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace

int PageInterpreter::Pitch::Of(std::size_t index) const {
  return static_cast<int>(
      std::min(static_cast<int64_t>(index) * numerator / denominator, kOffThePage));
}

PageInterpreter::PageInterpreter(PrintMechanism& mechanism) : mechanism_(mechanism) {
  Initialize();
}

void PageInterpreter::Take(uint8_t byte) {
  switch (expect_) {
    case Expect::Command:
      return TakeCommandByte(byte);
    case Expect::EscapeCode:
      return TakeEscapeCode(byte);
    case Expect::BandData:
      band_->Take(byte);
      if (band_->Complete()) {
        band_.reset();
        expect_ = Expect::Command;
      }
      return;
    case Expect::Parameters:
    case Expect::ExtendedHeader:
    case Expect::ExtendedData:
    case Expect::RemoteHeader:
    case Expect::RemoteData:
      return TakeCollected(byte);
  }
}

void PageInterpreter::Reset() {
  expect_ = Expect::Command;
  band_.reset();
  remote_ = false;
  Initialize();
  page_.Clear();
  x_ = 0;
  y_ = 0;
  sheet_in_use_ = false;
}

void PageInterpreter::SetHead(const HeadCondition& head) {
  head_ = head;
  page_.SetHead(head.charged, head.id_matches);
}

void PageInterpreter::TakeCommandByte(uint8_t byte) {
  if (remote_) {
    collected_.assign({byte});
    return Collect(Expect::RemoteHeader, kRemoteHeader - 1);
  }
  switch (byte) {
    case kEsc:
      expect_ = Expect::EscapeCode;
      return;
    case kCarriageReturn:
      x_ = 0;
      return;
    case kLineFeed:
      x_ = 0;
      return MoveDown(kLinePitch);
    case kFormFeed:
      return EjectPage();
    default:
      // Graphics mode prints raster data only.
      if (!graphics_) PrintText(byte);
  }
}

void PageInterpreter::TakeEscapeCode(uint8_t byte) {
  const auto* known = std::find_if(kEscapes.begin(), kEscapes.end(),
                                   [byte](const EscapeCommand& e) { return e.code == byte; });
  expect_ = Expect::Command;
  if (known == kEscapes.end()) return Skip();
  code_ = byte;
  collected_.clear();
  Collect(byte == '(' ? Expect::ExtendedHeader : Expect::Parameters, known->parameters);
}

void PageInterpreter::Collect(Expect stage, std::size_t count) {
  expect_ = stage;
  wanted_ = count;
  if (wanted_ == 0) RunCollected();
}

void PageInterpreter::TakeCollected(uint8_t byte) {
  if (collected_.size() < kKeptBytes) collected_.push_back(byte);
  if (--wanted_ == 0) RunCollected();
}

void PageInterpreter::RunCollected() {
  const Expect stage = expect_;
  expect_ = Expect::Command;
  switch (stage) {
    case Expect::Parameters:
      return RunEscape();
    case Expect::ExtendedHeader:
      return Collect(Expect::ExtendedData, Word(collected_[1], collected_[2]));
    case Expect::ExtendedData:
      return RunExtended();
    case Expect::RemoteHeader:
      return Collect(Expect::RemoteData, Word(collected_[2], collected_[3]));
    case Expect::RemoteData:
      return RunRemote();
    case Expect::Command:
    case Expect::EscapeCode:
    case Expect::BandData:
      return;
  }
}

void PageInterpreter::RunEscape() {
  const std::vector<uint8_t>& p = collected_;
  switch (code_) {
    case '@':
      return Initialize();
    case '<':
      return;  // a band is printed as its data arrives; its end leaves nothing to do
    case 'U':
      if (p[0] > 1) return Skip();
      unidirectional_ = p[0] == 1;
      next_band_returns_ = false;
      return;
    case '.': {
      // compression, vertical and horizontal density in 1/3600 inch, rows, width in dots
      if (p[0] > 1) return Skip();
      const std::size_t width = Word(p[4], p[5]);
      return StartBand({p[0] == 1, (width + 7) / 8, p[3]}, ink_, {p[2], kPixelUnits},
                       {p[1], kPixelUnits}, 1);
    }
    case 'i': {
      // ink, compression, bits per dot, bytes per row, rows; placed by the raster resolution
      if (p[1] > 1 || (p[2] != 1 && p[2] != 2)) return Skip();
      const std::optional<Ink> ink = InkOf(p[0] >> 4, p[0] & 0x0F);
      const int64_t per_base = PageCanvas::kDotsPerInch;
      StartBand({p[1] == 1, Word(p[3], p[4]), Word(p[5], p[6])}, ink,
                {resolution_h_ * per_base, resolution_base_},
                {resolution_v_ * per_base, resolution_base_}, p[2]);
      // The data of a band in an ink the head does not have is taken and thrown away.
      if (!ink) Skip();
      return;
    }
    default:
      return;
  }
}

void PageInterpreter::RunExtended() {
  const uint8_t letter = collected_[0];
  const std::size_t length = Word(collected_[1], collected_[2]);
  const uint8_t* data = collected_.data() + kExtendedHeader;
  switch (letter) {
    case 'G':
      if (length != 1 || data[0] != 1) break;
      graphics_ = true;
      return;
    case 'U':
      if (length != 1 || data[0] == 0) break;
      unit_ = data[0];
      return;
    case 'e':
      if (length != 2 || data[0] != 0) break;
      dot_size_ = data[1];
      return;
    case 'K':
      // The colour mode names the nozzle rows the data is meant for; the bands carry their ink.
      if (length != 2 || data[0] != 0) break;
      return;
    case 'r': {
      const std::optional<Ink> ink = length == 2 ? InkOf(data[0], data[1]) : std::nullopt;
      if (!ink) break;
      ink_ = *ink;
      return;
    }
    case 'v':
      if (length != 2) break;
      return MoveDown(static_cast<int16_t>(Word(data[0], data[1])) * unit_ / kPixelUnits);
    case 'D':
      if (length != 4 || Word(data[0], data[1]) == 0 || data[2] == 0 || data[3] == 0) break;
      resolution_base_ = Word(data[0], data[1]);
      resolution_v_ = data[2];
      resolution_h_ = data[3];
      return;
    case 'R':
      if (length != kRemoteEntry.size() ||
          !std::equal(kRemoteEntry.begin(), kRemoteEntry.end(), data)) {
        break;
      }
      remote_ = true;
      return;
    default:
      break;
  }
  Skip();
}

void PageInterpreter::RunRemote() {
  const std::array<uint8_t, 2> name{collected_[0], collected_[1]};
  const std::size_t length = Word(collected_[2], collected_[3]);
  if (name == std::array<uint8_t, 2>{'L', 'D'} && length == 0) return;  // defaults: kept as is
  if (name == std::array<uint8_t, 2>{'N', 'C'} && length == 2) {
    x_ = 0;
    sheet_in_use_ = true;
    return MoveDown(PrintNozzleCheck(page_, PageCanvas::kMargin, PageCanvas::kMargin + y_, head_));
  }
  if (name == kRemoteExit && length == 0) {
    remote_ = false;
    return;
  }
  Skip();
}

void PageInterpreter::Skip() {
  ++skipped_;
}

void PageInterpreter::Initialize() {
  graphics_ = false;
  unit_ = kDefaultUnit;
  unidirectional_ = false;
  next_band_returns_ = false;
  dot_size_ = 0;
  ink_ = Ink::Black;
  resolution_base_ = PageCanvas::kDotsPerInch;
  resolution_v_ = 1;
  resolution_h_ = 1;
}

void PageInterpreter::PrintText(uint8_t byte) {
  if (byte < kFirstPrintable || byte == kDelete) return;
  if (x_ + kCharacterPitch > PageCanvas::kPrintableWidth) {
    x_ = 0;
    MoveDown(kLinePitch);
  }
  // A line that would run past the bottom goes to the top of the next sheet.
  if (y_ + kLinePitch > PageCanvas::kPrintableHeight) EjectPage();
  PrintCharacter(page_, PageCanvas::kMargin + x_, PageCanvas::kMargin + y_, byte);
  x_ += kCharacterPitch;
  sheet_in_use_ = true;
}

void PageInterpreter::MoveDown(int pixels) {
  if (pixels == 0) return;
  sheet_in_use_ = true;
  y_ = std::max(0, y_ + pixels);
  // Past the bottom the sheet is full: it leaves, and printing goes on at the top of the next.
  if (y_ >= PageCanvas::kPrintableHeight) EjectPage();
}

void PageInterpreter::EjectPage() {
  if (sheet_in_use_ || !page_.Blank()) {
    mechanism_.Eject(page_);
    page_.Clear();
  }
  x_ = 0;
  y_ = 0;
  sheet_in_use_ = false;
}

void PageInterpreter::StartBand(BandLayout layout, std::optional<Ink> ink, Pitch dot, Pitch row,
                                int bits) {
  // In bidirectional printing the head prints every second band on its way back.
  int offset = 0;
  if (!unidirectional_) {
    if (next_band_returns_ && ink)
      offset = mechanism_.ReturnPassOffset(dot_size_, *ink != Ink::Black);
    next_band_returns_ = !next_band_returns_;
  }
  band_ink_ = ink;
  band_dot_ = dot;
  band_row_ = row;
  band_bits_ = bits;
  band_left_ = PageCanvas::kMargin + x_ + offset;
  band_top_ = PageCanvas::kMargin + y_;
  sheet_in_use_ = true;
  band_.emplace(layout,
                [this](std::size_t r, std::span<const uint8_t> bytes) { DrawRow(r, bytes); });
  expect_ = band_->Complete() ? Expect::Command : Expect::BandData;
  if (expect_ == Expect::Command) band_.reset();
}

void PageInterpreter::DrawRow(std::size_t row, std::span<const uint8_t> bytes) {
  // Each row of a band is printed by the nozzle of its place in the head.
  if (!band_ink_ || !head_.Fires(*band_ink_, static_cast<int>(row))) return;
  const int y = band_top_ + band_row_.Of(row);
  const int dots_per_byte = 8 / band_bits_;
  const int mask = (1 << band_bits_) - 1;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == 0) continue;
    for (int d = 0; d < dots_per_byte; ++d) {
      const int value = bytes[i] >> (8 - band_bits_ * (d + 1)) & mask;
      if (value == 0) continue;
      const int size = band_bits_ == 1 ? PageCanvas::kFullDrop : value;
      const std::size_t dot =
          i * static_cast<std::size_t>(dots_per_byte) + static_cast<std::size_t>(d);
      page_.Drop(band_left_ + band_dot_.Of(dot), y, *band_ink_, size);
    }
  }
}

}  // namespace vp
