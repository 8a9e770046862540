#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTextDocument>
#include <QTextOption>
#include <chrono>
#include <functional>
#include <ostream>
#include <utility>

#include "tests/ui/support/adjustformtest.h"

namespace opal::testing {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// "ZLIC information" of the appendix menu, with one of its items chosen.
class ChipInfo : public AdjustFormTest {
 protected:
  ChipInfo() { Pick("AppendixRdoGrp", 0); }

  void Choose(int item) {
    Find<ui::RadioGroup>(Form(), "ZLICInfoItemsRdoGrp").SetItemIndex(item);
    Click("ZLICInfoItemsOKBtn");
  }
  // The memo's place and the alignment its text takes.
  std::pair<QRect, Qt::Alignment> MemoLayout() {
    return {Memo().geometry(), Memo().document()->defaultTextOption().alignment()};
  }
};

struct ReportCase {
  int item;
  const char* title;
  const char* line;
};

void PrintTo(const ReportCase& c, std::ostream* out) {
  *out << c.title;
}

class ChipReports : public ChipInfo, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ChipReports, ShowTheReportUnderItsTitleInTheMovedMemoUntilPrevious) {
  const ReportCase& c = GetParam();
  const auto normal = MemoLayout();
  Choose(c.item);

  EXPECT_TRUE(Shown("ZLICInfoPnl"));
  EXPECT_FALSE(Shown("ZLICInfoItemsPnl"));
  EXPECT_EQ(Find<QLabel>(Form(), "ZLICInfoLbl").text(), c.title);
  EXPECT_THAT(Memo().toPlainText().toStdString(), HasSubstr(c.line));
  EXPECT_THAT(Memo().toPlainText().toStdString(), Not(HasSubstr("\r")));
  // The report stands over the lower part of the operation area, as far down as before.
  QApplication::processEvents();
  const QRect moved = Memo().geometry();
  const QRect area = Find<QWidget>(Form(), "OperationArea").geometry();
  EXPECT_LT(moved.top(), area.bottom());
  EXPECT_GT(moved.top(), Find<QWidget>(Form(), "ZLICInfoRtnBtn").mapTo(&Form(), QPoint(0, 0)).y());
  EXPECT_EQ(moved.bottom(), normal.first.bottom());
  EXPECT_EQ(Memo().document()->defaultTextOption().alignment(), Qt::AlignHCenter);

  Click("ZLICInfoRtnBtn");
  QApplication::processEvents();
  EXPECT_TRUE(Shown("ZLICInfoItemsPnl"));
  EXPECT_FALSE(Shown("ZLICInfoPnl"));
  EXPECT_EQ(Memo().toPlainText(), "");
  EXPECT_EQ(MemoLayout(), normal);
}

INSTANTIATE_TEST_SUITE_P(
    FourReports, ChipReports,
    ::testing::Values(
        ReportCase{0, "Black I/C unique information ", "   Product company = VELTA\n"},
        ReportCase{1, "Black I/C usage information ", "        Black = 96%\n"},
        ReportCase{2, "Color I/C unique information ", "Open effect period = 6 months"},
        ReportCase{3, "Color I/C usage information ", "    L.Magenta = 96%\n"}));

TEST_F(ChipInfo, AReportThatCannotBeReadLeavesTheItemsInRed) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    const char* message;
  };
  const Case cases[] = {
      {"stalled printer", [&] { world.printer.SetFaults({.stall_input = true}); },
       "Transmission error"},
      {"expired cartridge", [&] { PastTheCartridgesEffectDate(); }, ""},
  };
  for (const Case& c : cases) {
    c.arrange();
    Memo().setPlainText("before");
    Choose(0);
    EXPECT_EQ(Memo().toPlainText(), c.message) << c.what;
    EXPECT_EQ(MemoColour(), QColor(Qt::red)) << c.what;
    EXPECT_TRUE(Shown("ZLICInfoItemsPnl")) << c.what;
    EXPECT_FALSE(Shown("ZLICInfoPnl")) << c.what;
    world.printer.SetFaults({});
  }
}

TEST_F(ChipInfo, PrintingAllInformationPrintsAPageAndWaitsForIt) {
  Choose(4);
  EXPECT_TRUE(EverShown("All ZLIC info. is printing now."));
  EXPECT_THAT(world.clock.Slept(), ElementsAre(milliseconds(26'000)));
  EXPECT_EQ(PagesPrinted(), 1u);
  EXPECT_EQ(Memo().toPlainText(), "ZLIC info. printing has completed.");
  EXPECT_TRUE(Shown("ZLICInfoItemsPnl"));
}

TEST_F(ChipInfo, PrintingAllInformationThatFailsShowsTheErrorStyleWithoutWaiting) {
  PastTheCartridgesEffectDate();
  Choose(4);
  EXPECT_EQ(Memo().toPlainText(), "");
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_THAT(world.clock.Slept(), IsEmpty());
  EXPECT_EQ(PagesPrinted(), 0u);
}

}  // namespace
}  // namespace opal::testing
