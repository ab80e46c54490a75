#include "window/qt_catalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtCatalogue(QCoreApplication& application) {
  // A build that carries the catalogue as a resource finds it first; otherwise it comes from
  // Qt's translations folder.
  const QString folders[] = {u":/translations"_qs,
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
  auto* catalogue = new QTranslator(&application);
  for (const QString& folder : folders) {
    if (catalogue->load(u"qtbase_bg"_qs, folder)) {
      return QCoreApplication::installTranslator(catalogue);
    }
  }
  delete catalogue;
  return false;
}
