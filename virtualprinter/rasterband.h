#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace vp {

// How the data of one raster band is laid out.
struct BandLayout {
  bool run_length = false;  // run-length encoded, or the bytes as they are
  std::size_t bytes_per_row = 0;
  std::size_t rows = 0;
};

// Collects a band's data as it arrives and hands it on row by row. Run-length data is a stream
// of runs: a header below 0x80 is followed by header + 1 bytes as they are, any other header by
// one byte that stands 257 - header times. The stream is cut into rows after decoding, so a run
// that crosses a row's end goes on in the next row, and what runs past the last row is dropped.
class BandData {
 public:
  using RowSink = std::function<void(std::size_t row, std::span<const uint8_t> bytes)>;

  BandData(BandLayout layout, RowSink row_done);
  // Takes the band's next byte.
  void Take(uint8_t byte);
  // Whether the band has all its data, so the next byte is no longer its own.
  bool Complete() const;

 private:
  enum class Expect { Header, RepeatedByte, Bytes };

  // `count` times `byte`, on across rows.
  void Put(uint8_t byte, std::size_t count);

  BandLayout layout_;
  RowSink row_done_;
  Expect expect_;
  std::size_t count_ = 0;  // bytes the current run still has to give
  std::size_t rows_done_ = 0;
  std::vector<uint8_t> row_;  // the row being filled, bytes_per_row long
  std::size_t filled_ = 0;    // of row_
};

}  // namespace vp
