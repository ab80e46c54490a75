#include <QApplication>
#include <QStyleFactory>

#include "window/blendora.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The same look on every desktop, so that the buttons show their colours.
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  Blendora window;
  window.centreOnScreen();
  window.show();
  return QApplication::exec();
}
