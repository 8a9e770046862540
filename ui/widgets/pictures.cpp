#include "ui/widgets/pictures.h"

// Resources compiled into a static library are only kept when something refers to them.
static void LoadPictures() {
  Q_INIT_RESOURCE(pictures);
}

namespace opal::ui {
namespace {

void EnsurePicturesLoaded() {
  static const bool loaded = (LoadPictures(), true);
  (void)loaded;
}

}  // namespace

QPixmap ProgramPicture() {
  EnsurePicturesLoaded();
  return QPixmap(QStringLiteral(":/opal-service/opal-service-64.png"));
}

QPixmap ArrowPicture() {
  EnsurePicturesLoaded();
  return QPixmap(QStringLiteral(":/opal-service/arrow.png"));
}

QIcon ProgramIcon() {
  EnsurePicturesLoaded();
  QIcon icon;
  icon.addFile(QStringLiteral(":/opal-service/opal-service-64.png"));
  icon.addFile(QStringLiteral(":/opal-service/opal-service.png"));
  return icon;
}

}  // namespace opal::ui
