#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <vector>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/panels/operationpanel.h"
#include "ui/widgets/radiogroup.h"

namespace opal::testing {

// The individual adjustment form on a fresh virtual printer, reached the way a technician
// reaches it (`model` 0 is the 310, 1 the 320), with what its panels' tests look at.
class AdjustFormTest : public ::testing::Test {
 public:
  explicit AdjustFormTest(int model = 1, bool journaled = false)
      : world(model == 0 ? "310" : "320", {}, "", journaled) {
    world.Connect(model);
    captured_at_start = world.Capture().size();
    QObject::connect(&Memo(), &QPlainTextEdit::textChanged, &Memo(),
                     [this] { memo_history.push_back(Memo().toPlainText()); });
  }

  ui::TFormAdjust& Form() { return *world.forms.FormAdjust; }
  QPlainTextEdit& Memo() { return Find<QPlainTextEdit>(Form(), "StatusMemo"); }
  QColor MemoColour() { return Memo().palette().color(QPalette::Text); }

  // The menu's tab, then its item, clicked on the item's round mark.
  void Pick(const char* menu, int item) {
    auto& group = Find<ui::RadioGroup>(Form(), menu);
    auto& tabs = Find<QTabWidget>(Form(), "AdjustmentTab");
    for (int page = 0; page < tabs.count(); ++page) {
      if (tabs.widget(page)->isAncestorOf(&group)) tabs.setCurrentIndex(page);
    }
    QRadioButton* mark = group.findChildren<QRadioButton*>().at(item);
    QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(8, mark->height() / 2));
  }
  // A button or a clickable panel, in its middle.
  void Click(const char* control) {
    QTest::mouseClick(&Find<QWidget>(Form(), control), Qt::LeftButton);
  }
  // The re-enable timer's tick: a done status leaves the form disabled until then.
  void OneSecondLater() { Form().DisableTimerTimer(); }
  bool Shown(const char* name) { return Find<QWidget>(Form(), name).isVisibleTo(&Form()); }
  bool EverShown(const QString& text) {
    return std::find(memo_history.begin(), memo_history.end(), text) != memo_history.end();
  }

  // Whether the printer received these bytes, in a row, after the set-up.
  bool Received(const std::vector<uint8_t>& bytes) {
    const std::vector<uint8_t> all = world.Capture();
    const auto since = all.begin() + static_cast<long>(captured_at_start);
    return std::search(since, all.end(), bytes.begin(), bytes.end()) != all.end();
  }
  std::size_t SentSinceStart() { return world.Capture().size() - captured_at_start; }
  std::size_t PagesPrinted() {
    EXPECT_EQ(world.printer.WaitForPages(), "");
    const auto pages = world.printer.Directory() / "pages";
    if (!std::filesystem::exists(pages)) return 0;
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(pages),
                                                  std::filesystem::directory_iterator()));
  }
  // The USB ID input panel with `id` typed in, ready for its OK.
  void TypeUsbId(const char* id) {
    // The stamp needs a date the printer takes.
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 10;
    world.clock.SetLocalTime(local);
    Pick("AdjustRdoGrp", 2);
    Find<ui::RadioGroup>(Form(), "UsbIdRdoBtn").SetItemIndex(0);
    Click("UsbIdOKBtn");
    QTest::keyClicks(&Find<QLineEdit>(Form(), "UsbIdInputEdit"), id);
  }
  // The virtual printer's cartridges are made today and last two years.
  void PastTheCartridgesEffectDate() {
    std::tm in_2099{};
    in_2099.tm_year = 199;
    in_2099.tm_mday = 1;
    world.clock.SetLocalTime(in_2099);
  }

  UiWorld world;
  // Every text the status memo held, in order.
  QStringList memo_history;
  std::size_t captured_at_start = 0;
};

}  // namespace opal::testing
