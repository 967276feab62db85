#include "config/AppSettings.h"

#include <gtest/gtest.h>

#include <string>

#include "base/Exceptions.h"
#include "support/TempDir.h"

namespace {

TEST(AppSettings, NoFileGivesEveryDefaultAndCreatesNothing) {
  TempDir dir;
  const MainWindowSettings main = ReadMainWindowSettings(dir.Path());
  EXPECT_EQ(main.LastCfgPath, "");
  EXPECT_EQ(main.AccessPath, "");
  EXPECT_EQ(main.BrenvollPath, dir.Path() + "Brenvoll.exe");
  const SchedulerSettings scheduler = ReadSchedulerSettings(dir.Path());
  EXPECT_EQ(scheduler.TimerInterval, "60");
  EXPECT_EQ(scheduler.StartTime, "01");
  EXPECT_EQ(TempDir::Read(SettingsFilePath(dir.Path())), "");
}

TEST(AppSettings, ValuesFromTheFile) {
  struct Case {
    const char* label;
    const char* file;
    MainWindowSettings main;
    SchedulerSettings scheduler;
  };
  const Case cases[] = {
      {"empty values stay empty: the default is for a missing key only",
       "[Defaults]\r\nLastCfgPath=\r\nAccessPath=\r\nBrenvollPath=\r\nTimerInterval=\r\nStartTime=\r\n",
       {"", "", ""}, {"", ""}},
      {"blanks around values are dropped",
       "[Defaults]\r\nTimerInterval= 15 \r\nStartTime=\t03\r\nBrenvollPath= /opt/b.exe\r\n",
       {"", "", "/opt/b.exe"}, {"15", "03"}},
      {"names match without regard to case",
       "[defaults]\r\nLASTCFGPATH=C:\\cfg\\a.cfg\r\naccesspath=C:\\Office\\Msaccess.exe\r\n",
       {"C:\\cfg\\a.cfg", "C:\\Office\\Msaccess.exe", "<appdir>Brenvoll.exe"}, {"60", "01"}},
      {"a path picked with blanks loses its double quotes",
       "[Defaults]\r\nLastCfgPath=\"C:\\My Configs\\nightly.cfg\"\r\n",
       {"C:\\My Configs\\nightly.cfg", "", "<appdir>Brenvoll.exe"}, {"60", "01"}},
      {"another section is not read",
       "[Other]\r\nTimerInterval=5\r\n", {"", "", "<appdir>Brenvoll.exe"}, {"60", "01"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    dir.Write("Brenvoll.ini", c.file);
    std::string brenvollPath = c.main.BrenvollPath;
    if (brenvollPath.rfind("<appdir>", 0) == 0) brenvollPath = dir.Path() + brenvollPath.substr(8);
    const MainWindowSettings main = ReadMainWindowSettings(dir.Path());
    EXPECT_EQ(main.LastCfgPath, c.main.LastCfgPath);
    EXPECT_EQ(main.AccessPath, c.main.AccessPath);
    EXPECT_EQ(main.BrenvollPath, brenvollPath);
    const SchedulerSettings scheduler = ReadSchedulerSettings(dir.Path());
    EXPECT_EQ(scheduler.TimerInterval, c.scheduler.TimerInterval);
    EXPECT_EQ(scheduler.StartTime, c.scheduler.StartTime);
  }
}

TEST(AppSettings, WritesInOrderAndLeaveTheOtherWindowsKeys) {
  TempDir dir;
  WriteMainWindowSettings(dir.Path(), {"", "\\Msaccess.exe", ""});
  WriteSchedulerSettings(dir.Path(), {" 15 ", "02"});
  WriteMainWindowSettings(dir.Path(), {"/cfg/a.cfg", "C:\\Office\\Msaccess.exe", "/opt/Brenvoll.exe"});
  EXPECT_EQ(TempDir::Read(SettingsFilePath(dir.Path())),
            "[Defaults]\r\n"
            "LastCfgPath=/cfg/a.cfg\r\n"
            "AccessPath=C:\\Office\\Msaccess.exe\r\n"
            "BrenvollPath=/opt/Brenvoll.exe\r\n"
            "TimerInterval= 15 \r\n"
            "StartTime=02\r\n");
  EXPECT_EQ(ReadSchedulerSettings(dir.Path()).TimerInterval, "15");
}

TEST(AppSettings, FailedWriteRaisesWithTheSettingsFile) {
  TempDir dir;
  const std::string appDir = dir.File("missing/");
  for (bool scheduler : {false, true}) {
    SCOPED_TRACE(scheduler ? "scheduler save" : "main window closing");
    try {
      if (scheduler) {
        WriteSchedulerSettings(appDir, {"60", "01"});
      } else {
        WriteMainWindowSettings(appDir, {"", "", ""});
      }
      ADD_FAILURE() << "no error raised";
    } catch (const EIniFileException& e) {
      EXPECT_EQ(e.Message(), "Unable to write to " + appDir + "Brenvoll.ini");
    }
  }
}

}  // namespace
