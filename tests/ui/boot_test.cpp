#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "link/forceexit.h"
#include "tests/support/scripteddevice.h"
#include "tests/ui/support/uiworld.h"
#include "ui/forms/about.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/sequence.h"
#include "ui/seams/screencursor.h"

namespace opal::testing {
namespace {

QString StatusText(const UiWorld& world) {
  return Find<QPlainTextEdit>(*world.forms.FormAdjust, "StatusMemo").toPlainText();
}

ProviderMaker Scripted(Script& script) {
  return [&script](FakeClock& clock) { return std::make_unique<ScriptedProvider>(script, clock); };
}

// Another program holds the printer.
class BusyProvider final : public PortProvider {
 public:
  OpenOutcome Open(PortId) override {
    return {nullptr, OpenFailure::Busy, "The printer is in use by another program. (/dev/usb/lp0)"};
  }
};

class MissingChoice : public ::testing::TestWithParam<int> {};

TEST_P(MissingChoice, OkDoesNothingAtAll) {
  UiWorld world;
  int choices[4] = {1, 3, 0, 0};
  choices[GetParam()] = -1;
  world.Choose(choices[0], choices[1], choices[2], choices[3]);
  world.PressOk();

  EXPECT_TRUE(world.forms.FormBoot->isVisible());
  EXPECT_TRUE(world.forms.FormBoot->isEnabled());
  EXPECT_FALSE(world.forms.FormAdjust->isVisible());
  EXPECT_FALSE(world.forms.FormBootSequential->isVisible());
  EXPECT_FALSE(world.session.port.IsOpen());
  EXPECT_TRUE(world.Capture().empty());
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_TRUE(world.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(EachCombo, MissingChoice, ::testing::Values(0, 1, 2, 3));

struct IdentityCase {
  int model_item;
  const char* name;
  uint8_t byte_5e;
  std::string text_60_6f;
};

void PrintTo(const IdentityCase& c, std::ostream* out) {
  *out << c.name;
}

class ModelIdentity : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(ModelIdentity, OkSendsTheStartSequenceAndRewritesTheIdentity) {
  const IdentityCase& c = GetParam();
  UiWorld world;
  // A printer whose identity bytes hold something else, so every rewrite shows.
  for (int address = 0x5E; address <= 0x7D; ++address) {
    world.printer.SetEepromByte(static_cast<uint8_t>(address), 0xAA);
  }
  // The 320 chosen as the 310 is asked about first.
  if (c.model_item == 0) world.dialogs.answers = {true};
  world.Connect(c.model_item);

  const std::vector<uint8_t> capture = world.Capture();
  ASSERT_GE(capture.size(), kStartSequence.size());
  EXPECT_TRUE(std::equal(kStartSequence.begin(), kStartSequence.end(), capture.begin()));
  const auto eeprom = world.printer.Eeprom();
  for (int address = 0x70; address <= 0x7D; ++address) EXPECT_EQ(eeprom[address], 0x00) << address;
  EXPECT_EQ(eeprom[0x5E], c.byte_5e);
  EXPECT_EQ(std::string(eeprom.begin() + 0x60, eeprom.begin() + 0x70), c.text_60_6f);
  EXPECT_EQ(eeprom[0x5F], 0xAA);

  EXPECT_EQ(world.forms.FormBoot->SelectedModelCode(),
            c.model_item == 0 ? PrinterModel::Opal310 : PrinterModel::Opal320);
  EXPECT_EQ(world.forms.FormBoot->Port(), PortId::Vlusb1);
  for (auto [form, label] :
       {std::pair<QWidget*, const char*>{world.forms.FormAdjust.get(), "IndividualModelNameLbl"},
        {world.forms.FormBootSequential.get(), "FormBootSequentialModelNameLbl"},
        {world.forms.FormSequentialRepair.get(), "SequentialModelNameLbl"}}) {
    EXPECT_EQ(Find<QLabel>(*form, label).text(), c.name) << label;
  }
  EXPECT_FALSE(world.forms.FormBoot->isVisible());
  EXPECT_TRUE(world.forms.FormAdjust->isVisible());
  EXPECT_FALSE(ui::HourglassShown());
}

INSTANTIATE_TEST_SUITE_P(
    BothModels, ModelIdentity,
    ::testing::Values(IdentityCase{0, "Corvane Opal 310", 0x02, "Corvane Opal 310"},
                      IdentityCase{1, "Corvane Opal 320", 0x00, std::string(16, '\0')}));

struct PrinterIdCase {
  const char* printer_model;
  int program;
  const char* status;
};

void PrintTo(const PrinterIdCase& c, std::ostream* out) {
  *out << c.printer_model << " program " << c.program;
}

class PrinterId : public ::testing::TestWithParam<PrinterIdCase> {};

TEST_P(PrinterId, IsReportedInTheIndividualFormWhicheverProgramRuns) {
  const PrinterIdCase& c = GetParam();
  UiWorld world(c.printer_model);
  if (std::string(c.printer_model) != "320") world.dialogs.answers = {true};
  world.Connect(1, c.program);
  EXPECT_EQ(StatusText(world), c.status);
  EXPECT_EQ(world.forms.FormAdjust->isVisible(), c.program == 0);
  EXPECT_EQ(world.forms.FormBootSequential->isVisible(), c.program == 1);
}

INSTANTIATE_TEST_SUITE_P(
    ModelsAndPrograms, PrinterId,
    ::testing::Values(PrinterIdCase{"310", 0, "Current Printer ID is Corvane Opal 310."},
                      PrinterIdCase{"320", 0, "Current Printer ID is Corvane Opal 320."},
                      PrinterIdCase{"QX-310C", 0, "Current Printer ID is QX-310C."},
                      PrinterIdCase{"310", 1, "Current Printer ID is Corvane Opal 310."},
                      PrinterIdCase{"320", 1, "Current Printer ID is Corvane Opal 320."},
                      PrinterIdCase{"QX-310C", 1, "Current Printer ID is QX-310C."}));

TEST(PrinterId, ANameOfNoKnownModelIsUnknownInBothPrograms) {
  for (const int program : {0, 1}) {
    Script script;
    script.device_id = "MFG:OTHER;CMD:ESCPL2;MDL:Laser 9;CLS:PRINTER;";
    // The identity bytes read back as written.
    for (const EepromWrite& write : ModelIdentityWrites(PrinterModel::Opal320)) {
      script.packets.push_back(ReplyWith(write.value));
    }
    UiWorld world("320", Scripted(script));
    world.Connect(1, program);
    EXPECT_EQ(StatusText(world), "Current Printer ID is Unknown.") << program;
  }
}

struct StartFailure {
  const char* name;
  std::function<std::unique_ptr<UiWorld>(Script& script)> make;
  std::string told;
};

void PrintTo(const StartFailure& c, std::ostream* out) {
  *out << c.name;
}

std::string SetUpFailure(const std::string& reason) {
  return "The printer could not be set up as the Corvane Opal 320.\n" + reason +
         "\n\nThe port is closed again. Check the printer and its cable, then press OK to try "
         "again.";
}

const StartFailure kStartFailures[] = {
    {"IdentityNotHeld",
     [](Script& script) {
       // 0x70, the first identity byte, reads back as it was.
       script.packets.push_back(ReplyWith(0xAA));
       return std::make_unique<UiWorld>("320", Scripted(script));
     },
     SetUpFailure("Verify error at address 70: written 00, read back AA.")},
    {"StartSequenceNotTaken",
     [](Script&) {
       auto world = std::make_unique<UiWorld>();
       world->printer.SetFaults({.stall_input = true});
       return world;
     },
     SetUpFailure("Transmission error")},
    {"PrinterInUse",
     [](Script&) {
       return std::make_unique<UiWorld>(
           "320", [](FakeClock&) { return std::make_unique<BusyProvider>(); });
     },
     "The printer is in use by another program. (/dev/usb/lp0)"},
};

class FailedStart : public ::testing::TestWithParam<StartFailure> {};

// Going on to a program with a printer that did not take the chosen model would adjust it as
// something it is not.
TEST_P(FailedStart, IsToldAndLeavesTheChoicesForAnotherTry) {
  Script script;
  const std::unique_ptr<UiWorld> world = GetParam().make(script);
  const auto start = world->clock.Now();
  world->Connect();

  EXPECT_THAT(world->dialogs.shown,
              ::testing::ElementsAre(ShownDialog{DialogKind::Error, GetParam().told.c_str()}));
  EXPECT_LE(world->clock.Now() - start, std::chrono::seconds(11));
  ui::TFormBoot& boot = *world->forms.FormBoot;
  EXPECT_TRUE(boot.isVisible());
  EXPECT_TRUE(boot.isEnabled());
  EXPECT_EQ(boot.SelectedModelCode(), PrinterModel::Opal320);
  EXPECT_FALSE(world->session.port.IsOpen());
  EXPECT_FALSE(world->forms.FormAdjust->isVisible());
  EXPECT_EQ(StatusText(*world), "");
  EXPECT_FALSE(ui::HourglassShown());
}

INSTANTIATE_TEST_SUITE_P(EachCause, FailedStart, ::testing::ValuesIn(kStartFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BootForm, OkAfterAFailedStartTriesAgain) {
  UiWorld world;
  world.printer.SetFaults({.stall_input = true});
  world.Connect();
  world.printer.SetFaults({});
  world.PressOk();
  EXPECT_FALSE(world.forms.FormBoot->isVisible());
  EXPECT_TRUE(world.forms.FormAdjust->isVisible());
  EXPECT_EQ(StatusText(world), "Current Printer ID is Corvane Opal 320.");
}

TEST(BootForm, AnotherModelThanThePrinterReportsIsAskedAboutAndNoWritesNothing) {
  UiWorld world("320");
  const auto before = world.printer.Eeprom();
  world.dialogs.answers = {false};
  world.Connect(0);
  ASSERT_EQ(world.dialogs.shown.size(), 1U);
  EXPECT_EQ(world.dialogs.shown[0].text,
            "The printer reports itself as Corvane Opal 320; its identity will be rewritten as "
            "Corvane Opal 310. Continue?");
  EXPECT_EQ(world.printer.Eeprom(), before);
  EXPECT_TRUE(world.Capture().empty()) << "not even the start sequence";
  EXPECT_FALSE(world.session.port.IsOpen());
  EXPECT_TRUE(world.forms.FormBoot->isVisible());
  EXPECT_TRUE(world.forms.FormBoot->isEnabled());
  EXPECT_FALSE(ui::HourglassShown());
}

TEST(BootForm, ASilentPrinterEndsTheProgramThroughTheForcedExit) {
  UiWorld world;
  world.printer.SetFaults({.silent = true});
  world.Choose(1, 3, 0, 0);
  try {
    world.forms.FormBoot->PortSelectOKBtnClick();
    FAIL() << "the program went on";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.notice.text, kForceExitText);
  }
  EXPECT_FALSE(world.session.port.IsOpen());
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_FALSE(world.forms.FormAdjust->isVisible());
  EXPECT_TRUE(world.Capture().empty());
}

// Nothing on the chosen port, a printer on another: the technician chose the wrong one.
class PrinterElsewhereProvider final : public PortProvider {
 public:
  OpenOutcome Open(PortId) override { return {nullptr, OpenFailure::NotFound, ""}; }
  std::optional<std::vector<std::string>> PrintersPresent() override {
    // The first stands on the USB port chosen and does not answer there.
    return std::vector<std::string>{"VLUSB1: Corvane Opal 310 (bus 1, port 1)",
                                    "VLUSB2: Corvane Opal 320 (bus 1, port 2)"};
  }
};

struct ChosenPort {
  int item;
  const char* ending;  // the forced exit's text up to the printers found
  const char* found;
};

class ForcedExitElsewhere : public ::testing::TestWithParam<ChosenPort> {};

TEST_P(ForcedExitElsewhere, NamesThePortsWhereAPrinterIs) {
  UiWorld world("320", [](FakeClock&) { return std::make_unique<PrinterElsewhereProvider>(); });
  world.Choose(1, GetParam().item, 0, 0);
  try {
    world.forms.FormBoot->PortSelectOKBtnClick();
    FAIL() << "the program went on";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.notice.text, std::string(GetParam().ending) +
                                     "\n\nPrinters found on other ports:\n" + GetParam().found);
  }
}

INSTANTIATE_TEST_SUITE_P(BootForm, ForcedExitElsewhere,
                         ::testing::Values(ChosenPort{0, kForceExitText,
                                                      "VLUSB1: Corvane Opal 310 (bus 1, port 1)\n"
                                                      "VLUSB2: Corvane Opal 320 (bus 1, port 2)"},
                                           ChosenPort{3, "Cannot open port.",
                                                      "VLUSB2: Corvane Opal 320 (bus 1, port 2)"}));

TEST(BootForm, RightClickOffersVersionWhichOpensTheAboutBoxAnyNumberOfTimes) {
  UiWorld world;
  ui::TFormBoot& boot = *world.forms.FormBoot;
  QMenu& menu = Find<QMenu>(boot, "PopupMenu1");
  QTest::mouseClick(&boot, Qt::RightButton, {}, QPoint(20, 20));
  ASSERT_TRUE(menu.isVisible());
  ASSERT_EQ(menu.actions().size(), 1);
  QAction* version = menu.actions().front();
  EXPECT_EQ(version->text(), "Version");
  menu.hide();

  for (int time = 0; time < 2; ++time) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
      shown = world.forms.AboutBox->isVisible();
      QTest::keyClick(world.forms.AboutBox.get(), Qt::Key_Return);
    });
    version->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(world.forms.AboutBox->isVisible());
  }
  EXPECT_TRUE(boot.isVisible());
  EXPECT_TRUE(world.Capture().empty());
}

}  // namespace
}  // namespace opal::testing
