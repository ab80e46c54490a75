#include <QApplication>
#include <QStyleFactory>

#include "window/blendora.h"
#include "window/qt_catalogue.h"
#include "window/screen_reader.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The same look on every desktop, so that the buttons show their colours.
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  InstallQtCatalogue(application);
  SendFocusBeforeCaret();
  Blendora window;
  window.centreOnScreen();
  window.show();
  return QApplication::exec();
}
