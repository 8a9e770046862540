#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QTabWidget>

#include "tests/ui/support/bidrows.h"
#include "tests/ui/support/formfit.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/printedpages.h"
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

// The visible captions, fields and buttons that reach past the window's sides: cut off, or only
// to be seen by scrolling across.
std::string OutsideAcross(const QWidget& window) {
  QStringList outside;
  for (const QWidget* control : window.findChildren<QWidget*>()) {
    const bool shown_control = qobject_cast<const QLabel*>(control) != nullptr ||
                               qobject_cast<const QLineEdit*>(control) != nullptr ||
                               qobject_cast<const QAbstractButton*>(control) != nullptr;
    if (!shown_control || !control->isVisible()) continue;
    const int left = control->mapTo(&window, QPoint()).x();
    if (left < 0 || left + control->width() > window.width()) outside << control->objectName();
  }
  return outside.join(QStringLiteral(", ")).toStdString();
}

TEST_P(SmallScreen, EveryWindowOpensWhollyOnTheScreen) {
  const QRect available = GetParam().available;
  ui::TFormPrintedPages pages{{.pages_folder = QString::fromStdString(world.dir.path().string()),
                               .printer_lines = {QStringLiteral("Head label: M3RF5GTPQ2SLJ"),
                                                 QStringLiteral("Serial label: A1B2C3D4E5")}}};
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
  Show(pages);
  ui::FitResizableOnScreen(pages, available);
  QApplication::processEvents();
  EXPECT_TRUE(available.contains(pages.frameGeometry()));
  EXPECT_EQ(OutsideAcross(pages), "");
  EXPECT_EQ(Clipped(pages), "");
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
