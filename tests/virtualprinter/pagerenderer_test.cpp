#include <gtest/gtest.h>

#include <QRect>
#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/virtualprinter/printedpages.h"
#include "tests/virtualprinter/printerfixture.h"
#include "virtualprinter/pagerenderer.h"

namespace vp::testing {
namespace {

constexpr std::size_t kRowBytes = PageCanvas::kWidth;

// A sheet inked on its first `rows` rows, so sheets tell one another apart by their size.
PrintedSheet SheetOfRows(int rows) {
  PageCanvas canvas;
  for (int y = 0; y < rows; ++y) canvas.Drop(0, y, Ink::Black, 1);
  return canvas.TakeSheet();
}

TEST(PageRendererTest, SheetsAreHandedOnWithoutWaitingAndKeptInOrder) {
  std::promise<void> open;
  const std::shared_future<void> gate = open.get_future().share();
  std::vector<std::size_t> kept;
  PageRenderer renderer([&](const PrintedSheet& sheet) {
    gate.wait();
    kept.push_back(sheet.Bytes());
  });
  for (int rows = 1; rows <= 3; ++rows) renderer.Queue(SheetOfRows(rows));
  // Every Queue returned while the first sheet was still held at the gate.
  open.set_value();
  renderer.Wait();
  EXPECT_EQ(kept, (std::vector<std::size_t>{kRowBytes, 2 * kRowBytes, 3 * kRowBytes}));
}

TEST(PageRendererTest, ASheetNotKeptIsToldOnceAndTheNextAreStillKept) {
  int calls = 0;
  PageRenderer renderer([&](const PrintedSheet&) {
    if (++calls == 1) throw std::runtime_error("disk full");
  });
  renderer.Queue(PrintedSheet{});
  renderer.Queue(PrintedSheet{});
  renderer.Wait();
  EXPECT_EQ(calls, 2);
  EXPECT_NE(renderer.TakeFailures().find("disk full"), std::string::npos);
  EXPECT_EQ(renderer.TakeFailures(), "");
}

TEST(PageRendererTest, EverySheetHandedOverIsKeptBeforeItIsDestroyed) {
  std::atomic<int> kept = 0;
  {
    PageRenderer renderer([&](const PrintedSheet&) { ++kept; });
    for (int i = 0; i < 5; ++i) renderer.Queue(SheetOfRows(i));
  }
  EXPECT_EQ(kept, 5);
}

using PrintedPagesTest = PrinterTest;

TEST_F(PrintedPagesTest, EachPageHoldsItsOwnInk) {
  // "a" on the first line of page 1, "b" on the second line of page 2.
  printer_.Feed(Bytes{'a', 0x0C, 0x0D, 0x0A, 'b', 0x0C}, kNow);
  const QRect first_line(kOrigin, kOrigin, kCharacter, kLine);
  const QRect second_line = first_line.translated(0, kLine);
  const QImage first = LoadPage(printer_, 1);
  const QImage second = LoadPage(printer_, 2);
  EXPECT_TRUE(AnyInk(first, first_line));
  EXPECT_FALSE(AnyInk(first, second_line));
  EXPECT_FALSE(AnyInk(second, first_line));
  EXPECT_TRUE(AnyInk(second, second_line));
}

}  // namespace
}  // namespace vp::testing
