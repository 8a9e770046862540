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

// The six forms of the program, created once at start in this order (the first is the main form)
// and only shown and hidden until the program ends. Each form reaches the others through this,
// and only from its handlers: while a form is constructed the later ones do not exist yet.
struct Forms {
  explicit Forms(ServiceContext& context);
  ~Forms();
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  std::unique_ptr<TFormBoot> FormBoot;
  std::unique_ptr<TFormAdjust> FormAdjust;
  std::unique_ptr<TAboutBox> AboutBox;
  std::unique_ptr<TFormQuit> FormQuit;
  std::unique_ptr<TFormBootSequential> FormBootSequential;
  std::unique_ptr<TFormSequentialRepair> FormSequentialRepair;
};

}  // namespace opal::ui
