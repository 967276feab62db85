// A second reference: the empty window with one line of text, in the font the program's
// windows use. It shows what drawing the first text costs any Qt program that draws it.
#include <QApplication>
#include <QLabel>

#include "FirstShownReport.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QLabel window("Brenvoll compaction configuration");
  window.setFont(QFont("Arial", 8));
  ReportFirstShown([&window] { return &window; });
  window.resize(534, 347);
  window.show();
  return application.exec();
}
