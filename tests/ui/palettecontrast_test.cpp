#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/support/adjustformtest.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/quit.h"
#include "ui/widgets/pictures.h"

namespace opal::testing {
namespace {

double Luminance(QRgb colour) {
  const auto channel = [](int value) {
    const double v = value / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
         0.0722 * channel(qBlue(colour));
}

double Contrast(QRgb a, QRgb b) {
  const double first = Luminance(a);
  const double second = Luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The contrast a widget paints: its ground, taken just inside its border, against the pixel of
// its text that stands out most from it.
double PaintedContrast(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  const QRgb ground = image.pixel(3, 3);
  double best = 1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      best = std::max(best, Contrast(ground, image.pixel(x, y)));
  }
  return best;
}

QPalette DarkPalette() {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
  dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
  dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
  dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
  dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
  return dark;
}

// The desktop's palette, light or dark, in place before the forms are made, as a desktop sets it.
class DesktopPalette {
 protected:
  DesktopPalette() {
    if (qApp == nullptr) UiWorld application_only;
    saved_ = QApplication::palette();
    if (::testing::WithParamInterface<bool>::GetParam()) QApplication::setPalette(DarkPalette());
  }
  ~DesktopPalette() { QApplication::setPalette(saved_); }

 private:
  QPalette saved_;
};

class ResultTexts : private DesktopPalette,
                    public AdjustFormTest,
                    public ::testing::WithParamInterface<bool> {};

TEST_P(ResultTexts, StandOutFromTheirGround) {
  struct Line {
    StatusMode mode;
    const char* text;
    double least;  // the design's red on white reaches 3.99:1, and is kept
  };
  for (const Line& line : {Line{StatusMode::Done, "USB ID has been written in EEPROM.", 4.5},
                           Line{StatusMode::Busy, "Writing now.", 4.5},
                           Line{StatusMode::Error, "Receive error", 3.99}}) {
    Form().ShowStatus(line.mode, line.text);
    EXPECT_GE(PaintedContrast(*Memo().viewport()), line.least) << line.text;
  }
  world.forms.FormBoot->show();
  for (const char* caption : {"Panel1", "Panel2", "Panel6", "Panel8"}) {
    EXPECT_GE(PaintedContrast(Find<QLabel>(*world.forms.FormBoot, caption)), 4.5) << caption;
  }
  // The design's large blue titles and red model names: large text, 3:1.
  const std::vector<std::pair<QWidget*, const char*>> large{
      {world.forms.FormBoot.get(), "Label1"},
      {world.forms.FormQuit.get(), "Label1"},
      {world.forms.FormBootSequential.get(), "SeqRepairTitleLbl"},
      {&Form(), "IndividualModelNameLbl"},
      {world.forms.FormBootSequential.get(), "FormBootSequentialModelNameLbl"}};
  for (const auto& [form, name] : large) {
    EXPECT_GE(PaintedContrast(Find<QLabel>(*form, name)), 3.0) << name;
  }
}

// The chain's arrows have no ground of their own, so no pale box stands out on a dark form.
TEST(ChainArrows, LetTheFormShowAroundThem) {
  if (qApp == nullptr) UiWorld application_only;
  const QImage arrow = ui::ArrowPicture().toImage();
  for (const QPoint corner : {QPoint(0, 0), QPoint(arrow.width() - 1, arrow.height() - 1)}) {
    EXPECT_EQ(arrow.pixelColor(corner).alpha(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Palettes, ResultTexts, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

}  // namespace
}  // namespace opal::testing
