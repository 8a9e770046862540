#include "ui/widgets/arrowimage.h"

#include "ui/widgets/pictures.h"
#include "ui_arrowimage.h"

namespace opal::ui {

TFrameArrowImage::TFrameArrowImage(QWidget* parent)
    : QFrame(parent), ui_(std::make_unique<::Ui::TFrameArrowImage>()) {
  ui_->setupUi(this);
  ui_->Image1->setPixmap(ArrowPicture());
}

TFrameArrowImage::~TFrameArrowImage() = default;

}  // namespace opal::ui
