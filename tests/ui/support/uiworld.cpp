#include "tests/ui/support/uiworld.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "ui/forms/boot.h"
#include "ui/seams/printerworker.h"
#include "ui/seams/screencursor.h"

namespace opal::testing {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "opal_ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

namespace {

std::unique_ptr<PortProvider> Made(const ProviderMaker& maker, FakeClock& clock) {
  EnsureApplication();
  return maker ? maker(clock) : nullptr;
}

}  // namespace

UiWorld::UiWorld(const std::string& model, const ProviderMaker& other, const std::string& scenario,
                 bool journaled)
    : printer(dir.path() / "printer", model, scenario),
      provider(printer, clock, clock),
      other_provider(Made(other, clock)),
      session(other_provider ? *other_provider : static_cast<PortProvider&>(provider), clock, exit),
      journal_store(journaled ? std::make_unique<JournalStore>(dir.path() / "journal.sqlite")
                              : nullptr),
      journal(journaled ? std::make_unique<ServiceJournal>(
                              *journal_store, session, clock,
                              JournalPrinter{VirtualPrinterPlace(printer.Directory()), "", "", ""})
                        : nullptr),
      context{.port = session.port,
              .command = session.command,
              .clock = clock,
              .sleeper = clock,
              .dialogs = dialogs,
              .exit = exit,
              .operations = session.operations,
              .journal = journal.get()},
      forms(context),
      work_watched(ui::PrinterWorkWatch(context)) {
  session.port.SetIdle(ui::PrinterIdle);
  forms.FormBoot->show();
}

UiWorld::~UiWorld() {
  ui::ShowNormalCursor();
}

void UiWorld::Choose(int model, int port_index, int destination, int program) {
  QWidget& boot = *forms.FormBoot;
  Find<QComboBox>(boot, "ModelNameCombo").setCurrentIndex(model);
  Find<QComboBox>(boot, "PortSelectionCombo").setCurrentIndex(port_index);
  Find<QComboBox>(boot, "DestinationCombo").setCurrentIndex(destination);
  Find<QComboBox>(boot, "ProgramTypeCombo").setCurrentIndex(program);
}

void UiWorld::PressOk() {
  QTest::mouseClick(&Find<QPushButton>(*forms.FormBoot, "PortSelectOKBtn"), Qt::LeftButton);
}

void UiWorld::Connect(int model, int program) {
  Choose(model, 3, 0, program);
  PressOk();
}

std::vector<uint8_t> UiWorld::Capture() const {
  std::ifstream file(printer.Directory() / "capture.prn", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

QString UiWorld::PagesFolder() const {
  return QString::fromStdString((printer.Directory() / "pages").string());
}

bool EndsWith(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& tail) {
  return bytes.size() >= tail.size() && std::equal(tail.rbegin(), tail.rend(), bytes.rbegin());
}

}  // namespace opal::testing
