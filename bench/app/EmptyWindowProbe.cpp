// The peer: the least a Qt program does to show one empty window.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(534, 347);
  window.show();
  QTimer::singleShot(0, &application, [] { QApplication::exit(0); });
  return application.exec();
}
