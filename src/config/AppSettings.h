#pragma once
// The application settings: five values in "Brenvoll.ini" beside the executable. The
// main window owns three of them and the scheduler window two; the windows write disjoint
// keys, so neither overwrites the other's. Values are stored exactly as the fields hold
// them. Every call opens its own store and is done with the file when it returns.

#include <string>

// appDir ends in "/": the settings file is appDir + "Brenvoll.ini".
std::string SettingsFilePath(const std::string& appDir);

struct MainWindowSettings {
  std::string LastCfgPath;   // empty: a configuration never saved
  std::string AccessPath;
  std::string BrenvollPath;  // default appDir + "Brenvoll.exe"
};

struct SchedulerSettings {
  std::string TimerInterval;  // minutes, default "60"
  std::string StartTime;      // hour, default "01"
};

// At the main window's creation. A missing key gives its default; a key present with an
// empty value stays empty. An empty AccessPath is the caller's to replace with
// DefaultAccessPath() once it has taken the three values in, since that call may raise.
MainWindowSettings ReadMainWindowSettings(const std::string& appDir);
// At the main window's closing: LastCfgPath, AccessPath, BrenvollPath, in this order. The
// first failed write raises EIniFileException "Unable to write to <settings file>" and
// the later keys are not written.
void WriteMainWindowSettings(const std::string& appDir, const MainWindowSettings& settings);

// At the scheduler window's creation and every showing.
SchedulerSettings ReadSchedulerSettings(const std::string& appDir);
// At the scheduler's save: TimerInterval, then StartTime; fails as above.
void WriteSchedulerSettings(const std::string& appDir, const SchedulerSettings& settings);
