#include "app/StartUp.h"

#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/About.h"
#include "app/AppDir.h"
#include "app/Application.h"
#include "app/FontWarmUp.h"
#include "app/HelpViewer.h"
#include "app/Splash.h"
#include "base/FormatSettings.h"
#include "config/fCfgMain.h"
#include "schedule/fSched.h"
#include "shell/FilenameEdit.h"

namespace {
MainWindowHost ProgramHost() {
  MainWindowHost host;
  host.applicationDirectory = ApplicationDirectory;
  host.runHandler = [](const std::function<void()>& handler) { GuardHandler(handler); };
  host.showAbout = [] { AboutBox->exec(); };
  host.showScheduler = [] { frmSched->ShowModal(); };
  return host;
}

SchedulerHost SchedulerHostOf(TForm1* mainWindow) {
  SchedulerHost host;
  host.appDir = [mainWindow] { return mainWindow->AppDir; };
  host.compactorPath = [mainWindow] { return mainWindow->fedtBrenvollPath->text().toStdString(); };
  host.runHandler = [](const std::function<void()>& handler) { GuardHandler(handler); };
  return host;
}

// The long-lived windows, in the order they are created. The splash stands until they
// exist, also when the creation of one fails. Its text is the first one drawn, so the font
// configuration read beside the start-up is waited for there.
bool CreateWindows(TFontWarmUp& fonts) {
  std::unique_ptr<TfrmSplash> splash;
  try {
    splash = std::make_unique<TfrmSplash>();
    fonts.Wait();
    splash->ShowNow();
    Form1 = new TForm1(ProgramHost());
    AboutBox = new TAboutBox(Form1);
    frmSched = new TfrmSched(SchedulerHostOf(Form1), SystemScheduleClock(),
                             SystemCompactorLauncher(), Form1);
    return true;
  } catch (...) {
    splash.reset();
    TApplication::HandleException(std::current_exception());
    return false;
  }
}
}  // namespace

int RunProgram(int argc, char** argv, const std::function<void()>& whenShown) {
  // Qt needs its application object before any window, so it comes before the date
  // settings; the rest follows the order of the start-up.
  TFontWarmUp fonts;
  TApplication application(argc, argv);
  UseStartupDateSettings();
  THelpViewer help(ApplicationDirectory() + HelpFileName);
  SetHelp(&help);

  int exitCode = 1;
  if (CreateWindows(fonts)) {
    Form1->show();
    if (whenShown) QTimer::singleShot(0, &application, whenShown);
    exitCode = application.exec();
  }
  // Destroying the main window withdraws its drop target and destroys the windows it owns.
  delete Form1;
  Form1 = nullptr;
  AboutBox = nullptr;
  frmSched = nullptr;
  SetHelp(nullptr);
  return exitCode;
}
