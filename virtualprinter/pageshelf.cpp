#include "virtualprinter/pageshelf.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>

namespace vp {

PageShelf::PageShelf(StateFolder folder) : folder_(std::move(folder)), next_(FirstFreeNumber()) {}

int PageShelf::PageNumber(std::string_view name) {
  constexpr std::string_view kPrefix = "page-";
  constexpr std::string_view kSuffix = ".png";
  if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
      !name.ends_with(kSuffix)) {
    return 0;
  }
  const std::string_view digits =
      name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  const bool whole = error == std::errc() && end == digits.data() + digits.size();
  return whole && number > 0 && number <= kLastPage ? number : 0;
}

int PageShelf::FirstFreeNumber() const {
  int highest = 0;
  for (const std::string& name : folder_.Names()) highest = std::max(highest, PageNumber(name));
  return highest + 1;
}

void PageShelf::Keep(std::span<const uint8_t> png) {
  for (;;) {
    if (next_ > kLastPage) {
      throw std::runtime_error("no page number is left in " + folder_.Path().string() +
                               ": move the printed pages away");
    }
    char name[32];
    std::snprintf(name, sizeof name, "page-%04d.png", next_);
    // A name taken meanwhile belongs to another program's page: number on after the pages there.
    if (folder_.Add(name, png)) break;
    next_ = std::max(next_ + 1, FirstFreeNumber());
  }
  ++next_;
}

}  // namespace vp
