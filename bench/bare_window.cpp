// The yardstick for start-up: an empty Qt Widgets window of Blendora's size and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(504, 404);
  window.show();
  return QApplication::exec();
}
