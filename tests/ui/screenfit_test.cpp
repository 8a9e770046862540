#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QRect>
#include <QTabWidget>

#include "tests/ui/support/bidrows.h"
#include "tests/ui/support/formfit.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/quit.h"
#include "ui/forms/screenfit.h"
#include "ui/forms/sequence.h"
#include "ui/panels/panelid.h"

namespace opal::testing {
namespace {

// The desktop font the forms are built under, restored afterwards.
class DesktopFont {
 public:
  explicit DesktopFont(int points) : before_(QApplication::font()) {
    QFont font = before_;
    font.setPointSize(points);
    QApplication::setFont(font);
  }
  ~DesktopFont() { QApplication::setFont(before_); }

 private:
  QFont before_;
};

void Show(QWidget& form) {
  form.show();
  QApplication::processEvents();
}

class ClippedCaptions : public ::testing::TestWithParam<int> {
 protected:
  DesktopFont font{GetParam()};
  UiWorld world;
};

TEST_P(ClippedCaptions, EveryFormShowsItsCaptionsWhole) {
  Show(*world.forms.FormBoot);
  EXPECT_EQ(Clipped(*world.forms.FormBoot), "") << "start-up form";
  Show(*world.forms.FormQuit);
  EXPECT_EQ(Clipped(*world.forms.FormQuit), "") << "quit form";
  Show(*world.forms.FormBootSequential);
  EXPECT_EQ(Clipped(*world.forms.FormBootSequential), "") << "repair menu";

  auto& adjust = *world.forms.FormAdjust;
  Show(adjust);
  auto& tabs = Find<QTabWidget>(adjust, "AdjustmentTab");
  for (int tab = 0; tab < tabs.count(); ++tab) {
    tabs.setCurrentIndex(tab);
    QApplication::processEvents();
    EXPECT_EQ(Clipped(adjust), "") << "individual form, tab " << tab;
  }

  auto& repair = *world.forms.FormSequentialRepair;
  repair.ShowRepairChain(6, true, true);
  Show(repair);
  for (ui::PanelId panel : {ui::PanelId::HeadIdInput, ui::PanelId::InkCharge,
                            ui::PanelId::NozzleCheck, ui::PanelId::BidPrint, ui::PanelId::BidInput,
                            ui::PanelId::UsbIdInput, ui::PanelId::CounterClear}) {
    repair.ShowPanel(panel);
    // The widest value a Bi-D field holds, read from the printer.
    for (const char* edit : kBidEdits)
      Find<QLineEdit>(repair, edit).setText(QStringLiteral("-128"));
    QApplication::processEvents();
    EXPECT_EQ(Clipped(repair), "") << "repair form, panel " << static_cast<int>(panel);
  }
}

INSTANTIATE_TEST_SUITE_P(DesktopPoints, ClippedCaptions, ::testing::Values(9, 10, 12));

struct Screen {
  const char* name;  // a test name
  QRect available;
};

// A 1024×768 laptop below a panel, and 1920×1080 at 200 % in logical pixels.
constexpr Screen kSmallScreens[] = {{"Laptop1024x768", QRect(0, 0, 1024, 740)},
                                    {"HiDpi1920x1080At200", QRect(0, 27, 960, 513)}};

class SmallScreen : public ::testing::TestWithParam<Screen> {
 protected:
  DesktopFont font{12};
  UiWorld world;
};

TEST_P(SmallScreen, EveryFormOpensWhollyOnTheScreen) {
  const QRect available = GetParam().available;
  const std::pair<const char*, QWidget*> forms[] = {
      {"start-up", world.forms.FormBoot.get()},
      {"individual", world.forms.FormAdjust.get()},
      {"quit", world.forms.FormQuit.get()},
      {"repair menu", world.forms.FormBootSequential.get()},
      {"repair", world.forms.FormSequentialRepair.get()}};
  for (const auto& [name, form] : forms) {
    ui::FitOnScreen(*form, available);
    Show(*form);
    const QRect frame = form->frameGeometry();
    EXPECT_TRUE(available.contains(frame)) << name << " at " << frame.x() << "," << frame.y()
                                           << " size " << frame.width() << "x" << frame.height();
  }
}

INSTANTIATE_TEST_SUITE_P(Laptops, SmallScreen, ::testing::ValuesIn(kSmallScreens),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LargeScreen, KeepsTheDesignedSizeOfAFormThatFits) {
  UiWorld world;
  QWidget& adjust = *world.forms.FormAdjust;
  ui::FitOnScreen(adjust, QRect(0, 0, 800, 600));
  ui::FitOnScreen(adjust, QRect(0, 0, 1280, 1024));
  const QSize designed = adjust.size();
  EXPECT_EQ(adjust.minimumSize(), designed);
  EXPECT_EQ(adjust.maximumSize(), designed);
  EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(adjust.frameGeometry()));
}

}  // namespace
}  // namespace opal::testing
