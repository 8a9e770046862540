#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "virtualprinter/statefolder.h"

namespace vp {

// The printed pages: page-0001.png and on, numbered on from the pages already there. A page only
// ever takes a free name, so no page is written over, not even one another program just kept.
class PageShelf {
 public:
  // Pages are counted this far; a file with a higher number is no page of ours.
  static constexpr int kLastPage = 99'999'999;

  explicit PageShelf(StateFolder folder);

  // Keeps `png` as the next page. Throws std::runtime_error when it cannot, also when every number
  // is taken.
  void Keep(std::span<const uint8_t> png);

  // The number of a page file's name, "page-0001.png" and on; 0 for any other name.
  static int PageNumber(std::string_view name);

 private:
  int FirstFreeNumber() const;

  StateFolder folder_;
  int next_;
};

}  // namespace vp
