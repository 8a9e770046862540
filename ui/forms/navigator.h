#pragma once

#include <memory>

#include "ui/servicecontext.h"

namespace opal::ui {

class TFormBoot;
class TFormAdjust;
class TAboutBox;
class TFormQuit;
class TFormBootSequential;
class TFormSequentialRepair;
class TFormServiceHistory;

// The program's flow: start-up, then the individual form or the repair menu, a repair form from
// the menu, the quit form once a program is left, and start-up again; the about box from the
// start-up form, and the service history from its pop-up menu. The forms are created once, in this
// order (the first is the main form), and only shown and hidden until the program ends. A form
// tells what happened through its signals; only the navigator knows the forms and decides what
// comes next.
class Navigator {
 public:
  explicit Navigator(ServiceContext& context);
  ~Navigator();
  Navigator(const Navigator&) = delete;
  Navigator& operator=(const Navigator&) = delete;

  const std::unique_ptr<TFormBoot> FormBoot;
  const std::unique_ptr<TFormAdjust> FormAdjust;
  const std::unique_ptr<TAboutBox> AboutBox;
  const std::unique_ptr<TFormQuit> FormQuit;
  const std::unique_ptr<TFormBootSequential> FormBootSequential;
  const std::unique_ptr<TFormSequentialRepair> FormSequentialRepair;
  // Only where the forms keep a journal.
  const std::unique_ptr<TFormServiceHistory> FormServiceHistory;

 private:
  void ConnectStartUp();
  void ConnectPrograms();
  void ConnectQuit();
};

}  // namespace opal::ui
