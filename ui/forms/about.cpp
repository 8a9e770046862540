#include "ui/forms/about.h"

#include "opal/version.h"
#include "ui/widgets/pictures.h"
#include "ui_about.h"

namespace opal::ui {

TAboutBox::TAboutBox() : ui_(std::make_unique<::Ui::TAboutBox>()) {
  ui_->setupUi(this);
  ui_->Image1->setPixmap(ProgramPicture());
  ui_->Version->setText(tr("Version %1").arg(QStringLiteral(OPAL_VERSION)));
  connect(ui_->OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(sizeHint());
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::OKButtonClick() {
  accept();
}

}  // namespace opal::ui
