#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <stdexcept>
#include <string>

#include "tests/virtualprinter/printerfixture.h"
#include "virtualprinter/streamrender.h"

namespace vp::testing {
namespace {

using vp::testing::PrintTo;

namespace fs = std::filesystem;

// Pages of one letter each, all alike.
Bytes LetterPages(int count) {
  Bytes stream;
  for (int k = 0; k < count; ++k) stream.insert(stream.end(), {'a', 0x0C});
  return stream;
}

struct RenderLimitCase {
  const char* name;
  int printed;  // pages in the stream
  int page_limit;
  double byte_limit;  // in pages' worth of bytes
  int kept;
  const char* refusal;  // empty: all pages are written
};

class RenderLimitTest : public ::testing::TestWithParam<RenderLimitCase> {
 protected:
  opal::testing::TempDir temp_;
};

TEST_P(RenderLimitTest, StopsWhereALimitWouldBePassedAndKeepsThePagesBefore) {
  const RenderLimitCase& limit = GetParam();
  ASSERT_EQ(RenderStream(LetterPages(1), temp_.path() / "one"), 1);
  const auto page_bytes = fs::file_size(temp_.path() / "one" / "page-0001.png");
  const fs::path dir = temp_.path() / "pages";
  const RenderLimits limits{limit.page_limit,
                            static_cast<std::uintmax_t>(limit.byte_limit * page_bytes)};
  try {
    EXPECT_EQ(RenderStream(LetterPages(limit.printed), dir, limits), limit.kept);
    EXPECT_EQ(std::string(limit.refusal), "");
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(limit.refusal), "");
    EXPECT_NE(std::string(error.what()).find(limit.refusal), std::string::npos) << error.what();
  }
  const auto files = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
  EXPECT_EQ(files, limit.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, RenderLimitTest,
    ::testing::Values(RenderLimitCase{"WithinBoth", 3, 3, 3.5, 3, ""},
                      RenderLimitCase{
                          "MorePages", 5, 3, 100, 3,
                          "more than 3 pages, far more than any print of Opal Service; rendering "
                          "stopped after 3 pages"},
                      RenderLimitCase{"MoreBytes", 5, 100, 2.5, 2,
                                      "bytes of pages, far more than any print of "
                                      "Opal Service; rendering stopped after 2 pages"}),
    kCaseName);

}  // namespace
}  // namespace vp::testing
