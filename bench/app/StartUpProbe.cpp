// The program's start-up, reporting when its main window is first shown.
#include <QCoreApplication>

#include "FirstShownReport.h"
#include "app/StartUp.h"
#include "config/fCfgMain.h"

namespace {
// Runs as the application object is made, before any window of the start-up.
void WatchMainWindow() {
  ReportFirstShown([] { return static_cast<QWidget*>(Form1); });
}
Q_COREAPP_STARTUP_FUNCTION(WatchMainWindow)
}  // namespace

int main(int argc, char** argv) { return RunProgram(argc, argv); }
