#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/printedpages.h"
#include "ui/widgets/bidblocks.h"
#include "ui/widgets/pageview.h"

namespace opal::testing {
namespace {

constexpr int kPageWidth = 2976;
constexpr int kPageHeight = 4209;

class PrintedPagesTest : public ::testing::Test {
 protected:
  void PrintPage() {
    world.printer.Feed(kNozzleCheckPage, world.clock.Now());
    ASSERT_EQ(world.printer.WaitForPages(), "");
  }
  QString PageFile(int number) {
    return world.PagesFolder() +
           QStringLiteral("/page-%1.png").arg(number, 4, 10, QLatin1Char('0'));
  }
  QListWidget& List() { return Find<QListWidget>(window, "PageList"); }
  ui::PageView& View() { return Find<ui::PageView>(window, "PageImage"); }

  UiWorld world;
  ui::TFormPrintedPages window{{.pages_folder = world.PagesFolder(),
                                .printer_lines = {QStringLiteral("Head label: M3RF5GTPQ2SLJ")}}};
};

TEST_F(PrintedPagesTest, ANewPageOpensTheWindowWithoutTakingTheFocus) {
  EXPECT_FALSE(window.isVisible());
  PrintPage();
  QTRY_VERIFY(window.isVisible());
  EXPECT_EQ(window.PagePath(), PageFile(1));
  EXPECT_EQ(Find<QLabel>(window, "PagePathLbl").text(), PageFile(1));
  EXPECT_EQ(View().Page().size(), QSize(kPageWidth, kPageHeight));
  // The offscreen platform activates every window it shows; a real one honours this.
  EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(Find<QLabel>(window, "PrinterLabelsLbl").text(), "Head label: M3RF5GTPQ2SLJ");

  PrintPage();
  QTRY_COMPARE(List().count(), 2);
  EXPECT_EQ(List().item(0)->text(), "page-0002.png");
  EXPECT_EQ(window.PagePath(), PageFile(2));
  List().setCurrentRow(1);
  EXPECT_EQ(window.PagePath(), PageFile(1));
}

TEST_F(PrintedPagesTest, ZoomGoesFromTheWholePageToSingleDotsAndBeyond) {
  PrintPage();
  QTRY_VERIFY(window.isVisible());
  // It opens on the whole page, fitted to the room it has, and keeps fitting when resized.
  for (const QSize size : {window.size(), QSize(700, 900)}) {
    window.resize(size);
    const QSize room = Find<QScrollArea>(window, "PageScroll").viewport()->size();
    EXPECT_LE(View().width(), room.width());
    EXPECT_LE(View().height(), room.height());
    EXPECT_TRUE(View().width() >= room.width() - 1 || View().height() >= room.height() - 1);
  }

  window.SetZoom(ui::TFormPrintedPages::kActualSize);
  EXPECT_EQ(View().size(), QSize(kPageWidth, kPageHeight));
  QTest::mouseClick(&Find<QToolButton>(window, "ZoomInBtn"), Qt::LeftButton);
  QTest::mouseClick(&Find<QToolButton>(window, "ZoomInBtn"), Qt::LeftButton);
  EXPECT_EQ(View().size(), QSize(4 * kPageWidth, 4 * kPageHeight));
  // Every dot a square of 4 x 4 pixels: the first black nozzle line starts at dot (68, 108).
  const QImage& page = View().Page();
  ASSERT_NE(QColor(page.pixel(70, 108)), QColor(Qt::white));
  ASSERT_EQ(QColor(page.pixel(70, 107)), QColor(Qt::white));
  const QImage shown = View().grab(QRect(4 * 70, 4 * 107, 4, 8)).toImage();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(QColor(shown.pixel(x, y)), QColor(page.pixel(70, y < 4 ? 107 : 108))) << x << y;
    }
  }
  window.SetZoom(99);
  EXPECT_EQ(View().Scale(), 8.0);
}

TEST_F(PrintedPagesTest, ClosedByTheTechnicianItWaitsForTheNextSession) {
  PrintPage();
  QTRY_VERIFY(window.isVisible());
  window.close();
  PrintPage();
  QTRY_COMPARE(List().count(), 2);
  EXPECT_FALSE(window.isVisible());
  window.StartSession();
  PrintPage();
  QTRY_VERIFY(window.isVisible());
  window.close();
  window.ShowAction().trigger();
  EXPECT_TRUE(window.isVisible());
}

TEST_F(PrintedPagesTest, PagesPrintedBeforeTheProgramStartedAreListedButOpenNothing) {
  PrintPage();
  ui::TFormPrintedPages later{{.pages_folder = world.PagesFolder(), .printer_lines = {}}};
  EXPECT_EQ(Find<QListWidget>(later, "PageList").count(), 1);
  EXPECT_EQ(later.PagePath(), PageFile(1));
  QTest::qWait(50);
  EXPECT_FALSE(later.isVisible());
}

// Where the marks of `rows` lie across `cell` of `image`, in dots from its left: their middle.
double MarksAt(const QImage& image, const QRect& cell, int first_row, int last_row) {
  double sum = 0;
  int count = 0;
  for (int y = cell.top() + first_row; y <= cell.top() + last_row; ++y) {
    for (int x = cell.left(); x <= cell.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 250) {
        sum += x - cell.left();
        ++count;
      }
    }
  }
  return count == 0 ? -1000 : sum / count;
}

// How far a column's trial marks (the middle of its band) lie from its reference marks (the
// top of the band).
double TrialShift(const QImage& image, const QRect& cell) {
  const int h = cell.height();
  return MarksAt(image, cell, h * 2 / 5, h * 3 / 5) - MarksAt(image, cell, 0, h / 5);
}

TEST_F(PrintedPagesTest, TheBiDViewSetsEachBlocksColumnsSideBySideWithOneDotSeveralPixelsWide) {
  world.Connect(1, 0);
  ASSERT_EQ(
      world.session.operations.PrintBidCheckPage(0, [](StatusMode, std::string_view) {}).result,
      PORT_OK);
  ASSERT_EQ(world.printer.WaitForPages(), "");
  QTRY_VERIFY(window.isVisible());
  const QImage page = View().Page();

  const std::vector<ui::BidBlockOnPage> blocks = ui::FindBidBlocks(page);
  ASSERT_EQ(blocks.size(), 6u);  // black and colour of MS, 6pl and 4pl
  for (const ui::BidBlockOnPage& block : blocks) {
    ASSERT_EQ(block.columns.size(), 5u);
    EXPECT_EQ(block.labels.size(), 5u);
    EXPECT_FALSE(block.title.isEmpty());
    // The five trials step by the same amount from one column to the next.
    const double step = TrialShift(page, block.columns[1]) - TrialShift(page, block.columns[0]);
    EXPECT_GE(std::abs(step), 1.0);
    for (std::size_t c = 2; c < block.columns.size(); ++c) {
      EXPECT_NEAR(TrialShift(page, block.columns[c]) - TrialShift(page, block.columns[c - 1]), step,
                  0.5);
    }
  }

  Find<QCheckBox>(window, "BidBlocksChk").click();
  EXPECT_EQ(View().Page(), ui::BidBlocksSheet(page));
  EXPECT_EQ(window.Zoom(), ui::TFormPrintedPages::kActualSize);
  Find<QCheckBox>(window, "BidBlocksChk").click();
  EXPECT_EQ(View().Page(), page);

  // The colour blocks' light inks come out several times darker; the paper stays white.
  Find<QCheckBox>(window, "StrongInksChk").click();
  const QRect colour_column = blocks[1].columns[2];
  int darkest_before = 255;
  int darkest_after = 255;
  for (int x = colour_column.left(); x <= colour_column.right(); ++x) {
    const int y = colour_column.top() + 2;
    if (qGray(page.pixel(x, y)) >= 250) continue;
    darkest_before = std::min(darkest_before, qGray(page.pixel(x, y)));
    darkest_after = std::min(darkest_after, qGray(View().Page().pixel(x, y)));
  }
  ASSERT_LT(darkest_before, 250);
  EXPECT_LT(darkest_after, darkest_before - 40);
  EXPECT_EQ(View().Page().pixel(0, 0), QColor(Qt::white).rgb());
}

}  // namespace
}  // namespace opal::testing
