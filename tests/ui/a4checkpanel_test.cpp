#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/ui/support/adjustformtest.h"

namespace opal::testing {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

struct ModelCase {
  int model;  // on the start-up form
  const char* line;
};

void PrintTo(const ModelCase& c, std::ostream* out) {
  *out << c.line;
}

// "A4 normal paper printing" chosen after connecting with the model of the case.
class A4CheckSheet : public AdjustFormTest, public ::testing::WithParamInterface<ModelCase> {
 protected:
  A4CheckSheet() : AdjustFormTest(GetParam().model) { Pick("PatternPrnItemsRdoGrp", 0); }
};

TEST_P(A4CheckSheet, PrintsThreePagesHeadedByTheChosenModel) {
  Click("A4CheckPrintOKBtn");
  EXPECT_TRUE(EverShown("A4 pattern is printing now."));
  EXPECT_EQ(Memo().toPlainText(), "A4 pattern print is completed.");
  EXPECT_EQ(PagesPrinted(), 3u);
  EXPECT_TRUE(Received(
      Bytes(std::string(GetParam().line) + '\0' + " CHECK PATTERN PRINT 3/3 ***************")));
}

INSTANTIATE_TEST_SUITE_P(BothModels, A4CheckSheet,
                         ::testing::Values(ModelCase{0, "    *************** Corvane Opal 310"},
                                           ModelCase{1, "    *************** Corvane Opal 320"}));

struct EarlyStopCase {
  const char* what;
  void (*arrange)(AdjustFormTest&);
  const char* message;
  std::size_t pages;
};

void PrintTo(const EarlyStopCase& c, std::ostream* out) {
  *out << c.what;
}

class A4CheckSheetStops : public AdjustFormTest,
                          public ::testing::WithParamInterface<EarlyStopCase> {};

TEST_P(A4CheckSheetStops, WhereAValueCannotBeReadAndSaysWhyInRed) {
  Pick("PatternPrnItemsRdoGrp", 0);
  GetParam().arrange(*this);
  Click("A4CheckPrintOKBtn");
  EXPECT_EQ(Memo().toPlainText(), GetParam().message);
  EXPECT_EQ(MemoColour(), QColor(Qt::red));
  EXPECT_EQ(PagesPrinted(), GetParam().pages);
  EXPECT_TRUE(Form().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, A4CheckSheetStops,
    ::testing::Values(
        EarlyStopCase{"head ID read refused",
                      [](AdjustFormTest& t) { t.world.printer.SetFaults({.corrupt_reply = true}); },
                      "Receive error", 0},
        EarlyStopCase{"cartridge past its effect date",
                      [](AdjustFormTest& t) { t.PastTheCartridgesEffectDate(); }, "", 2}));

}  // namespace
}  // namespace opal::testing
