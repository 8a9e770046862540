#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QWidget>

#include "service/journalstore.h"
#include "service/servicejournal.h"
#include "service/servicesession.h"
#include "tests/support/fakes.h"
#include "tests/support/tempdir.h"
#include "tests/ui/support/scripteddialogs.h"
#include "ui/forms/navigator.h"
#include "ui/forms/printerwork.h"
#include "ui/servicecontext.h"
#include "virtualport/virtualport.h"
#include "virtualprinter/virtualprinter.h"

namespace opal::testing {

// The tests' one application object, made on first use.
void EnsureApplication();

// Another port provider in place of the virtual printer's, on the world's clock.
using ProviderMaker = std::function<std::unique_ptr<PortProvider>(FakeClock& clock)>;

// The program's forms around a fresh virtual printer, with instant waits, scripted dialogs, an
// exit that throws ProgramEnded and the program's idle hook, and a journal when asked for one.
// Another provider (a scripted
// device) may stand in for the virtual printer, which may be set up as a training scenario.
struct UiWorld {
  explicit UiWorld(const std::string& model = "320", const ProviderMaker& other = {},
                   const std::string& scenario = "", bool journaled = false);
  ~UiWorld();

  // The start-up form's four choices by item index (-1 leaves one empty).
  void Choose(int model, int port, int destination, int program);
  void PressOk();
  // Model 0 is the 310, 1 the 320; program 0 the individual one, 1 the sequential one.
  void Connect(int model = 1, int program = 0);

  // Every byte the printer has received.
  std::vector<uint8_t> Capture() const;
  // Where the printer's pages land, for a Printed pages window.
  QString PagesFolder() const;

  TempDir dir;
  FakeClock clock;
  vp::VirtualPrinter printer;
  VirtualPortProvider provider;
  std::unique_ptr<PortProvider> other_provider;
  ThrowingExit exit;
  ServiceSession session;
  // Only for a journaled world: the journal in its own folder, as the program keeps it.
  std::unique_ptr<JournalStore> journal_store;
  std::unique_ptr<ServiceJournal> journal;
  ScriptedDialogs dialogs;
  ui::ServiceContext context;
  ui::Navigator forms;
  ui::WorkWatched work_watched;
};

// The control with this object name, or a failed test.
template <class Control>
Control& Find(const QObject& root, const char* name) {
  auto* found = root.findChild<Control*>(QString::fromLatin1(name));
  if (found == nullptr) throw std::runtime_error(std::string("no control ") + name);
  return *found;
}

// What the printer receives for InitializePrinter.
inline const std::vector<uint8_t> kInitializeFrame{0x1B, 0x7C, 0x00, 0x05, 0x00,
                                                   0x06, 0x31, 0x48, 0xB7, 0x24};

// The printer's own nozzle check on a page of its own.
inline const std::vector<uint8_t> kNozzleCheckPage{
    0x1B, 0x28, 0x52, 0x08, 0x00, 0x00, 'R',  'E',  'M',  'O',  'T',  'E',  '1',  'L',
    'D',  0x00, 0x00, 'N',  'C',  0x02, 0x00, 0x00, 0x00, 0x1B, 0x00, 0x00, 0x00, 0x0C};

bool EndsWith(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& tail);

}  // namespace opal::testing
