#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace opal::app {
namespace {

void Install(QCoreApplication& application, const QString& name, const QString& folder) {
  auto* translator = new QTranslator(&application);
  if (translator->load(QLocale(), name, QStringLiteral("_"), folder)) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

}  // namespace

void LoadTechniciansLanguage(QCoreApplication& application) {
  Install(application, QStringLiteral("qtbase"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  // Built into the program by qt_add_translations.
  Install(application, QStringLiteral("opal-service"), QStringLiteral(":/i18n"));
}

}  // namespace opal::app
