// The program's start-up, ending as soon as the main window is shown.
#include <QApplication>

#include "app/StartUp.h"

int main(int argc, char** argv) {
  return RunProgram(argc, argv, [] { QApplication::exit(0); });
}
