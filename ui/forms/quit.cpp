#include "ui/forms/quit.h"

#include <QCloseEvent>

#include "ui/forms/formwindow.h"
#include "ui_quit.h"

namespace opal::ui {

TFormQuit::TFormQuit() : ui_(std::make_unique<::Ui::TFormQuit>()) {
  ui_->setupUi(this);
  connect(ui_->NextBtn, &QPushButton::clicked, this, &TFormQuit::NextBtnClick);
  connect(ui_->QuitBtn, &QPushButton::clicked, this, &TFormQuit::QuitBtnClick);
  SetUpFormWindow(*this, BorderIcons::MinimiseAndMaximise);
}

TFormQuit::~TFormQuit() = default;

void TFormQuit::NextBtnClick() {
  hide();
  emit NextChosen();
}

void TFormQuit::QuitBtnClick() {
  hide();
  emit QuitChosen();
}

void TFormQuit::closeEvent(QCloseEvent* event) {
  // The form has no close box; a window manager's close request gets no answer but the buttons.
  event->ignore();
}

}  // namespace opal::ui
