#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/support/bidrows.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/panels/operationpanel.h"
#include "ui/widgets/radiogroup.h"

namespace opal::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The six values in the order the panels list them: MS, 6pl, 4pl, each Black then Color.
constexpr std::array<uint8_t, 6> kAddresses{0x33, 0x36, 0x34, 0x37, 0x35, 0x38};
constexpr std::array<uint8_t, 6> kStored{0x05, 0xBA, 0xEC, 0x00, 0x46, 0xFF};
constexpr std::array<const char*, 6> kFields{"ShowMsBkPnl",  "ShowMsClPnl",  "Show6plBkPnl",
                                             "Show6plClPnl", "Show4plBkPnl", "Show4plClPnl"};

enum BidItem { kPrint = 0, kInput = 1, kCheckPresent = 2 };

// A Bi-D command as the printer received it: dot kind and the Black and Color slots.
struct BidCommand {
  int kind;
  int black;
  int color;
  bool operator==(const BidCommand&) const = default;
};

std::vector<BidCommand> BidCommandsIn(const std::vector<uint8_t>& bytes) {
  const std::vector<uint8_t> head{0x1B, 0x7C, 0x00, 0x0A, 0x00, 0x06, 0x31, 0x00, 0xFF, 0x00};
  std::vector<BidCommand> found;
  for (auto at = bytes.begin();
       (at = std::search(at, bytes.end(), head.begin(), head.end())) != bytes.end(); ++at) {
    const auto* slot = &*(at + static_cast<long>(head.size()));
    found.push_back({slot[0], static_cast<int16_t>(slot[1] | slot[2] << 8),
                     static_cast<int16_t>(slot[3] | slot[4] << 8)});
  }
  return found;
}

// The individual form on a printer that holds known Bi-D values. Public, so the steps of the
// failure table can drive it.
class BidPanels : public ::testing::Test {
 public:
  BidPanels() {
    world.Connect();
    for (std::size_t row = 0; row < kAddresses.size(); ++row) {
      world.printer.SetEepromByte(kAddresses[row], kStored[row]);
    }
  }

  ui::TFormAdjust& Form() { return *world.forms.FormAdjust; }
  QPlainTextEdit& Memo() { return Find<QPlainTextEdit>(Form(), "StatusMemo"); }
  QLineEdit& Edit(std::size_t row) { return Find<QLineEdit>(Form(), kBidEdits[row]); }
  QCheckBox& Box(std::size_t row) { return Find<QCheckBox>(Form(), kBidBoxes[row]); }
  QSlider& TrackBar() { return Find<QSlider>(Form(), "BidPrintTrackBar"); }
  void Click(const char* button) {
    QTest::mouseClick(&Find<QPushButton>(Form(), button), Qt::LeftButton);
  }
  void ClickRadio(const char* group, int item) {
    QRadioButton* button = Find<ui::RadioGroup>(Form(), group).findChildren<QRadioButton*>()[item];
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  // "Bi-D" in the menu, then the item and OK.
  void Choose(BidItem item) {
    ClickRadio("AdjustRdoGrp", 1);
    ClickRadio("BidRdoBtn", item);
    Click("BidOKBtn");
  }

  bool Shown(const char* panel) {
    return Find<ui::OperationPanel>(Form(), panel).isVisibleTo(&Form());
  }
  std::vector<std::string> EditTexts() {
    std::vector<std::string> texts;
    for (std::size_t row = 0; row < kBidEdits.size(); ++row) {
      texts.push_back(Edit(row).text().toStdString());
    }
    return texts;
  }
  std::vector<bool> Ticks() {
    std::vector<bool> ticks;
    for (std::size_t row = 0; row < kBidBoxes.size(); ++row) ticks.push_back(Box(row).isChecked());
    return ticks;
  }
  std::vector<int> StoredValues() {
    const auto eeprom = world.printer.Eeprom();
    std::vector<int> values;
    for (const uint8_t address : kAddresses) values.push_back(static_cast<int8_t>(eeprom[address]));
    return values;
  }
  std::vector<std::string> Fields() {
    std::vector<std::string> texts;
    for (const char* field : kFields)
      texts.push_back(Find<QLabel>(Form(), field).text().toStdString());
    return texts;
  }
  std::vector<uint8_t> SentSince(std::size_t before) {
    const std::vector<uint8_t> all = world.Capture();
    return {all.begin() + static_cast<long>(before), all.end()};
  }
  QColor MemoColour() { return Memo().palette().color(QPalette::Text); }

  UiWorld world;
};

TEST_F(BidPanels, InputReadsTheValuesThePrinterHoldsIntoTheEdits) {
  // Longer than what may be typed into the edit, and still shown whole.
  world.printer.SetEepromByte(0x34, 0x80);
  Choose(kInput);
  EXPECT_TRUE(Shown("BidInputPnl"));
  EXPECT_FALSE(Shown("BidPnl"));
  EXPECT_THAT(EditTexts(), ElementsAre("5", "-70", "-128", "0", "70", "-1"));
  EXPECT_THAT(Ticks(), ElementsAre(false, false, false, false, false, false));
  EXPECT_EQ(Memo().toPlainText(), "");
}

TEST_F(BidPanels, CheckPresentListsTheValuesOnThreeLines) {
  Choose(kCheckPresent);
  EXPECT_TRUE(Shown("BidPnl"));
  EXPECT_EQ(Memo().toPlainText(),
            "Multi shot Black = 5, Multi shot Color = -70\n"
            "VSD 6pl Black = -20, VSD 6pl Color = 0\n"
            "VSD 4pl Black = 70, VSD 4pl Color = -1");
  EXPECT_EQ(MemoColour(), QColor(Qt::black));
}

TEST_F(BidPanels, TickedRowsAreWrittenInRowOrderAndTheOthersAreLeftAlone) {
  Choose(kInput);
  Edit(0).setText("9");
  for (const auto& [row, text] : {std::pair{5u, "70"}, {2u, "-70"}, {1u, "12"}}) {
    Edit(row).setText(text);
    Box(row).setChecked(true);
  }
  const std::size_t before = world.Capture().size();
  Click("BidWrtOKBtn");

  EXPECT_EQ(Memo().toPlainText(),
            "As MS Color data, 12 has been written in EEPROM.\n"
            "As 6pl Black data, -70 has been written in EEPROM.\n"
            "As 4pl Color data, 70 has been written in EEPROM.");
  EXPECT_THAT(
      BidCommandsIn(SentSince(before)),
      ElementsAre(BidCommand{1, -128, 12}, BidCommand{2, -70, -128}, BidCommand{3, -128, 70}));
  EXPECT_THAT(StoredValues(), ElementsAre(5, 12, -70, 0, 70, 70));
  EXPECT_THAT(Fields(), ElementsAre("", "12", "-70", "", "", "70"));
  EXPECT_THAT(Ticks(), ElementsAre(false, true, true, false, false, true));
}

class RefusedValues : public BidPanels, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedValues, StopTheWholeWriteBeforeAnythingIsSent) {
  Choose(kInput);
  Edit(0).setText("10");
  Box(0).setChecked(true);
  Edit(3).setText(GetParam());
  Box(3).setChecked(true);
  const std::size_t before = world.Capture().size();
  Click("BidWrtOKBtn");

  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_EQ(Memo().toPlainText(), QString("Limitaion of adjustment value is -70 to 70\n"
                                          "6pl Color = \"%1\"")
                                      .arg(GetParam()));
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_THAT(StoredValues(), ElementsAreArray({5, -70, -20, 0, 70, -1}));
  EXPECT_THAT(Fields(), ElementsAre("", "", "", "", "", ""));
}

INSTANTIATE_TEST_SUITE_P(OutOfRangeOrNoNumber, RefusedValues,
                         ::testing::Values("71", "-71", "", "x", "1 2"));

TEST_F(BidPanels, AnArrowClickTicksItsRowAndTypingDoesNot) {
  Choose(kInput);
  QTest::mouseClick(Find<QWidget>(Form(), "BidMsClrUpDown").findChild<QToolButton*>("UpBtn"),
                    Qt::LeftButton);
  Edit(4).clear();
  QTest::keyClicks(&Edit(4), "-123");
  QTest::mouseClick(Find<QWidget>(Form(), "Bid4plClrUpDown").findChild<QToolButton*>("DownBtn"),
                    Qt::LeftButton);
  QTest::mouseClick(Find<QWidget>(Form(), "Bid6plBkUpDown").findChild<QToolButton*>("UpBtn"),
                    Qt::LeftButton);

  EXPECT_THAT(EditTexts(), ElementsAre("5", "-69", "-19", "0", "-12", "-2"));
  EXPECT_THAT(Ticks(), ElementsAre(false, true, true, false, false, true));
}

class TrackBarPositions : public BidPanels, public ::testing::WithParamInterface<int> {};

TEST_P(TrackBarPositions, PrintFeedsTwoLinesAStepAndLeavesTheAlignmentAsItWas) {
  Choose(kPrint);
  ASSERT_TRUE(Shown("BidPrintPnl"));
  TrackBar().setValue(GetParam());
  const std::size_t before = world.Capture().size();
  Click("BidPrnOKBtn");

  // The page begins after the stored values are read: the feeds, the reset, then the title with
  // its NUL.
  const std::string page_start("\x1B@Bi-D check pattern", 21);
  const std::vector<uint8_t> sent = SentSince(before);
  const auto title = std::search(sent.begin(), sent.end(), page_start.begin(), page_start.end());
  ASSERT_NE(title, sent.end());
  int feeds = 0;
  for (auto at = title; at - sent.begin() >= 2 && at[-2] == '\r' && at[-1] == '\n'; at -= 2) {
    ++feeds;
  }
  EXPECT_EQ(feeds, 2 * GetParam());
  EXPECT_TRUE(EndsWith(sent, {0x0C, 0x0C}));
  EXPECT_EQ(Memo().toPlainText(), "Bi-d pattern print is completed.");
  EXPECT_EQ(MemoColour(), QColor(Qt::black));
  EXPECT_THAT(StoredValues(), ElementsAreArray({5, -70, -20, 0, 70, -1}));
}

INSTANTIATE_TEST_SUITE_P(TopAndBottom, TrackBarPositions, ::testing::Values(0, 30));

TEST_F(BidPanels, PreviousReturnsToTheItemsAndThePrintStartsAtTheTopAgain) {
  Choose(kPrint);
  TrackBar().setValue(7);
  Memo().setPlainText("left over");
  Click("BidPrnRtnBtn");
  EXPECT_TRUE(Shown("BidPnl"));
  EXPECT_FALSE(Shown("BidPrintPnl"));
  EXPECT_EQ(Memo().toPlainText(), "");

  Click("BidOKBtn");
  EXPECT_TRUE(Shown("BidPrintPnl"));
  EXPECT_EQ(TrackBar().value(), 0);

  Click("BidPrnRtnBtn");
  ClickRadio("BidRdoBtn", kInput);
  Click("BidOKBtn");
  Box(2).setChecked(true);
  Click("BidWrtRtnBtn");
  EXPECT_TRUE(Shown("BidPnl"));
  EXPECT_THAT(EditTexts(), ElementsAre("", "", "", "", "", ""));
  EXPECT_THAT(Ticks(), ElementsAre(false, false, false, false, false, false));
}

TEST_F(BidPanels, LeavingTheProgramPutsTheItemChoiceBackOnPrint) {
  Choose(kCheckPresent);
  Form().close();
  EXPECT_EQ(Find<ui::RadioGroup>(Form(), "BidRdoBtn").ItemIndex(), kPrint);
}

// What each operation shows when the printer fails: reading, printing and writing stop with the
// message.
struct FailureCase {
  const char* name;
  std::function<void(BidPanels&)> act;
  const char* memo;
  Qt::GlobalColor colour;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
  *out << c.name;
}

class FailingPrinter : public BidPanels, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailingPrinter, ShowsTheFailuresMessage) {
  const FailureCase& c = GetParam();
  c.act(*this);
  EXPECT_EQ(Memo().toPlainText(), c.memo);
  EXPECT_EQ(MemoColour(), QColor(c.colour));
  EXPECT_TRUE(Form().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    EachOperation, FailingPrinter,
    ::testing::Values(FailureCase{"check present, silent",
                                  [](BidPanels& t) {
                                    t.world.printer.SetFaults({.silent = true});
                                    t.Choose(kCheckPresent);
                                  },
                                  "Receive error", Qt::red},
                      FailureCase{"input, corrupt replies",
                                  [](BidPanels& t) {
                                    t.world.printer.SetFaults({.corrupt_reply = true});
                                    t.Choose(kInput);
                                    EXPECT_THAT(t.EditTexts(), ElementsAre("", "", "", "", "", ""));
                                  },
                                  "Receive error", Qt::red},
                      FailureCase{"write, stalled",
                                  [](BidPanels& t) {
                                    t.Choose(kInput);
                                    t.Box(0).setChecked(true);
                                    t.Box(5).setChecked(true);
                                    t.world.printer.SetFaults({.stall_input = true});
                                    t.Click("BidWrtOKBtn");
                                    EXPECT_THAT(t.Fields(), ElementsAre("", "", "", "", "", ""));
                                  },
                                  // The rows after a write that failed are not sent.
                                  "Transmission error", Qt::black},
                      FailureCase{"print, stalled",
                                  [](BidPanels& t) {
                                    t.Choose(kPrint);
                                    t.world.printer.SetFaults({.stall_input = true});
                                    t.Click("BidPrnOKBtn");
                                  },
                                  "Transmission error", Qt::red}));

}  // namespace
}  // namespace opal::testing
