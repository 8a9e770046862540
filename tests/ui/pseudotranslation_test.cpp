#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QTranslator>

#include "tests/ui/support/everyview.h"
#include "tests/ui/support/formfit.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/boot.h"

namespace opal::testing {
namespace {

// The pseudo-translation built from the translations' sources: every text 40 % longer, accented.
class PseudoLanguage {
 public:
  PseudoLanguage() {
    EnsureApplication();
    loaded = translator_.load(QStringLiteral(OPAL_PSEUDO_QM)) &&
             QCoreApplication::installTranslator(&translator_);
  }
  ~PseudoLanguage() { QCoreApplication::removeTranslator(&translator_); }
  PseudoLanguage(const PseudoLanguage&) = delete;
  PseudoLanguage& operator=(const PseudoLanguage&) = delete;

  bool loaded = false;

 private:
  QTranslator translator_;
};

TEST(PseudoTranslation, EveryViewKeepsLongerTextsWholeAndApartOnALaptopScreen) {
  PseudoLanguage language;
  ASSERT_TRUE(language.loaded) << OPAL_PSEUDO_QM;
  UiWorld world("320", {}, "", true);
  ASSERT_NE(Find<QPushButton>(*world.forms.FormBoot, "PortSelectOKBtn").text(), "OK")
      << "the forms are not translated";
  ForEveryView(world, kLaptopScreen, [](const std::string& view, QWidget& window) {
    EXPECT_EQ(Clipped(window), "") << view;
    EXPECT_EQ(Overlapping(window), "") << view;
  });
}

}  // namespace
}  // namespace opal::testing
