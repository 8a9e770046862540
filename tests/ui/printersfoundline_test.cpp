#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/ui/support/uiworld.h"
#include "ui/forms/boot.h"

namespace opal::testing {
namespace {

using Present = std::optional<std::vector<std::string>>;

// A machine whose printers come and go as the test says.
class ChangingMachine final : public PortProvider {
 public:
  explicit ChangingMachine(std::shared_ptr<Present> present) : present_(std::move(present)) {}
  OpenOutcome Open(PortId) override { return {nullptr, OpenFailure::NotFound, "no port"}; }
  Present PrintersPresent() override { return *present_; }

 private:
  std::shared_ptr<Present> present_;
};

TEST(PrintersFoundLineTest, FollowsPrintersPluggedInAndRemovedWhileTheStartUpFormIsShown) {
  auto present = std::make_shared<Present>(std::vector<std::string>{});
  UiWorld world("320",
                [present](FakeClock&) { return std::make_unique<ChangingMachine>(present); });
  world.forms.FormBoot->show();
  const QLabel& line = Find<QLabel>(*world.forms.FormBoot, "PrintersFoundLbl");
  EXPECT_EQ(line.text(), "No USB printer found.");

  *present = std::vector<std::string>{"VLUSB1: VELTA Opal 320 (USB 1-2, f1e2:0005)",
                                      "VLUSB2: USB 2-1, f1e2:0005"};
  QTRY_COMPARE_WITH_TIMEOUT(
      line.text(),
      QStringLiteral(
          "Found: VLUSB1: VELTA Opal 320 (USB 1-2, f1e2:0005); VLUSB2: USB 2-1, f1e2:0005"),
      5000);

  *present = std::vector<std::string>{};
  QTRY_COMPARE_WITH_TIMEOUT(line.text(), QStringLiteral("No USB printer found."), 5000);
}

TEST(PrintersFoundLineTest, StaysEmptyWhereThePortsCannotTell) {
  UiWorld world;
  world.forms.FormBoot->show();
  EXPECT_EQ(Find<QLabel>(*world.forms.FormBoot, "PrintersFoundLbl").text(), "");
}

}  // namespace
}  // namespace opal::testing
