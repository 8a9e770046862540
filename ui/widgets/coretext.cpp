#include "ui/widgets/coretext.h"

#include <QCoreApplication>

namespace opal::ui {

QString CoreText(const QString& english) {
  return QCoreApplication::translate("Core", english.toUtf8().constData());
}

QString CoreText(std::string_view english) {
  return CoreText(QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size())));
}

}  // namespace opal::ui
