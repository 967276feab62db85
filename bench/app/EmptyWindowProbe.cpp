// The peer: the least a Qt program does to show one empty window.
#include <QApplication>
#include <QWidget>

#include "FirstShownReport.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  ReportFirstShown([&window] { return &window; });
  window.resize(534, 347);
  window.show();
  return application.exec();
}
