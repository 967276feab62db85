// The whole start-up in a child process (it makes its own application object).
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <cstdlib>

#include "app/About.h"
#include "app/Splash.h"
#include "app/StartUp.h"
#include "base/FormatSettings.h"
#include "config/fCfgMain.h"

namespace {

// Checks, once the main window is shown, what the start-up promises; exits with the
// number of the first failed check.
void CheckShownProgram() {
  int failed = 0;
  auto check = [&](bool ok, int number) {
    if (!ok && !failed) failed = number;
  };
  check(Form1 && Form1->isVisible(), 1);
  check(AboutBox && !AboutBox->isVisible(), 2);
  bool splashLeft = false;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (qobject_cast<TfrmSplash*>(window)) splashLeft = true;
  check(!splashLeft, 3);
  check(DateToText(TDate{std::chrono::year{2004}, std::chrono::March, std::chrono::day{5}}) ==
            "2004/03/05",
        4);
  check(QApplication::activeModalWidget() == nullptr, 5);
  std::_Exit(failed);
}

void RunCheckedProgram() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  char name[] = "BrenvollAdmin";
  char* argv[] = {name, nullptr};
  RunProgram(1, argv, CheckShownProgram);
  std::_Exit(99);
}

TEST(StartUp, MainWindowShownSplashGoneDateSettingsSet) {
  EXPECT_EXIT(RunCheckedProgram(), testing::ExitedWithCode(0), "");
}

}  // namespace
