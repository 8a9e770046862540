#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/printedpages.h"
#include "ui/widgets/pageview.h"

namespace opal::testing {
namespace {

// The printer's own nozzle check on a page of its own.
const std::vector<uint8_t> kNozzleCheckPage{
    0x1B, 0x28, 0x52, 0x08, 0x00, 0x00, 'R',  'E',  'M',  'O',  'T',  'E',  '1',  'L',
    'D',  0x00, 0x00, 'N',  'C',  0x02, 0x00, 0x00, 0x00, 0x1B, 0x00, 0x00, 0x00, 0x0C};
constexpr int kPageWidth = 2976;
constexpr int kPageHeight = 4209;

class PrintedPagesTest : public ::testing::Test {
 protected:
  void PrintPage() {
    world.printer.Feed(kNozzleCheckPage, world.clock.Now());
    ASSERT_EQ(world.printer.WaitForPages(), "");
  }
  QString PageFile(int number) {
    return QString::fromStdString((world.printer.Directory() / "pages").string()) +
           QStringLiteral("/page-%1.png").arg(number, 4, 10, QLatin1Char('0'));
  }
  QListWidget& List() { return Find<QListWidget>(window, "PageList"); }
  ui::PageView& View() { return Find<ui::PageView>(window, "PageImage"); }

  UiWorld world;
  ui::TFormPrintedPages window{
      {.pages_folder = QString::fromStdString((world.printer.Directory() / "pages").string()),
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
  ui::TFormPrintedPages later{
      {.pages_folder = QString::fromStdString((world.printer.Directory() / "pages").string()),
       .printer_lines = {}}};
  EXPECT_EQ(Find<QListWidget>(later, "PageList").count(), 1);
  EXPECT_EQ(later.PagePath(), PageFile(1));
  QTest::qWait(50);
  EXPECT_FALSE(later.isVisible());
}

}  // namespace
}  // namespace opal::testing
