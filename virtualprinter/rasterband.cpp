#include "virtualprinter/rasterband.h"

#include <algorithm>
#include <utility>

namespace vp {
namespace {

constexpr uint8_t kFirstRepeatHeader = 0x80;
constexpr std::size_t kRepeatBase = 257;

}  // namespace

BandData::BandData(BandLayout layout, RowSink row_done)
    : layout_(layout),
      row_done_(std::move(row_done)),
      expect_(layout.run_length ? Expect::Header : Expect::Bytes) {
  // A band without a byte of data has nothing to wait for.
  if (layout_.bytes_per_row == 0) rows_done_ = layout_.rows;
  row_.resize(layout_.bytes_per_row);
}

void BandData::Take(uint8_t byte) {
  switch (expect_) {
    case Expect::Header:
      if (byte < kFirstRepeatHeader) {
        count_ = byte + 1u;
        expect_ = Expect::Bytes;
      } else {
        count_ = kRepeatBase - byte;
        expect_ = Expect::RepeatedByte;
      }
      return;
    case Expect::RepeatedByte:
      Put(byte, count_);
      count_ = 0;
      expect_ = Expect::Header;
      return;
    case Expect::Bytes:
      Put(byte, 1);
      if (layout_.run_length && --count_ == 0) expect_ = Expect::Header;
      return;
  }
}

bool BandData::Complete() const {
  // A literal that runs past the last row still owns the bytes it announced.
  return rows_done_ == layout_.rows && (!layout_.run_length || expect_ == Expect::Header);
}

void BandData::Put(uint8_t byte, std::size_t count) {
  while (count > 0 && rows_done_ < layout_.rows) {
    const std::size_t taken = std::min(count, row_.size() - filled_);
    std::fill_n(row_.begin() + static_cast<std::ptrdiff_t>(filled_), taken, byte);
    filled_ += taken;
    count -= taken;
    if (filled_ < row_.size()) return;
    row_done_(rows_done_++, row_);
    filled_ = 0;
  }
}

}  // namespace vp
