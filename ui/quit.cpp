#include "ui/quit.h"

#include <QCloseEvent>

#include "ui/boot.h"
#include "ui/formwindow.h"
#include "ui_quit.h"

namespace opal::ui {

TFormQuit::TFormQuit(Forms& forms) : ui_(std::make_unique<::Ui::TFormQuit>()), forms_(forms) {
  ui_->setupUi(this);
  connect(ui_->NextBtn, &QPushButton::clicked, this, &TFormQuit::NextBtnClick);
  connect(ui_->QuitBtn, &QPushButton::clicked, this, &TFormQuit::QuitBtnClick);
  SetUpFormWindow(*this, BorderIcons::MinimiseAndMaximise);
}

TFormQuit::~TFormQuit() = default;

void TFormQuit::NextBtnClick() {
  hide();
  forms_.FormBoot->show();
}

void TFormQuit::QuitBtnClick() {
  hide();
  forms_.FormBoot->close();
}

void TFormQuit::closeEvent(QCloseEvent* event) {
  // The form has no close box; a window manager's close request gets no answer but the buttons.
  event->ignore();
}

}  // namespace opal::ui
