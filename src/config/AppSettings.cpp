#include "config/AppSettings.h"

#include <iterator>

#include "profile/IniFile.h"

namespace {

enum class Setting { LastCfgPath, AccessPath, BrenvollPath, TimerInterval, StartTime };

struct SettingEntry {
  Setting setting;
  const char* section;
  const char* key;
  const char* defaultValue;
  bool defaultInAppDir;  // the default is appDir followed by defaultValue
};

// The one place that names the keys, their sections and their defaults.
constexpr SettingEntry SettingsTable[] = {
    {Setting::LastCfgPath, "Defaults", "LastCfgPath", "", false},
    {Setting::AccessPath, "Defaults", "AccessPath", "", false},
    {Setting::BrenvollPath, "Defaults", "BrenvollPath", "Brenvoll.exe", true},
    {Setting::TimerInterval, "Defaults", "TimerInterval", "60", false},
    {Setting::StartTime, "Defaults", "StartTime", "01", false},
};

constexpr bool TableInSettingOrder() {
  for (size_t i = 0; i < std::size(SettingsTable); ++i) {
    if (static_cast<size_t>(SettingsTable[i].setting) != i) return false;
  }
  return true;
}
static_assert(TableInSettingOrder(), "one row per setting, in the order of the enum");

const SettingEntry& EntryOf(Setting setting) {
  return SettingsTable[static_cast<size_t>(setting)];
}

std::string Read(TIniFile& store, Setting setting, const std::string& appDir) {
  const SettingEntry& entry = EntryOf(setting);
  const std::string defaultValue =
      entry.defaultInAppDir ? appDir + entry.defaultValue : entry.defaultValue;
  return store.ReadText(entry.section, entry.key, defaultValue);
}

void Write(TIniFile& store, Setting setting, const std::string& value) {
  const SettingEntry& entry = EntryOf(setting);
  store.WriteText(entry.section, entry.key, value);
}

}  // namespace

std::string SettingsFilePath(const std::string& appDir) { return appDir + "Brenvoll.ini"; }

MainWindowSettings ReadMainWindowSettings(const std::string& appDir) {
  TIniFile store(SettingsFilePath(appDir));
  MainWindowSettings settings;
  settings.LastCfgPath = Read(store, Setting::LastCfgPath, appDir);
  settings.AccessPath = Read(store, Setting::AccessPath, appDir);
  settings.BrenvollPath = Read(store, Setting::BrenvollPath, appDir);
  return settings;
}

void WriteMainWindowSettings(const std::string& appDir, const MainWindowSettings& settings) {
  TIniFile store(SettingsFilePath(appDir));
  Write(store, Setting::LastCfgPath, settings.LastCfgPath);
  Write(store, Setting::AccessPath, settings.AccessPath);
  Write(store, Setting::BrenvollPath, settings.BrenvollPath);
}

SchedulerSettings ReadSchedulerSettings(const std::string& appDir) {
  TExInifile store(SettingsFilePath(appDir));
  SchedulerSettings settings;
  settings.TimerInterval = Read(store, Setting::TimerInterval, appDir);
  settings.StartTime = Read(store, Setting::StartTime, appDir);
  return settings;
}

void WriteSchedulerSettings(const std::string& appDir, const SchedulerSettings& settings) {
  TExInifile store(SettingsFilePath(appDir));
  Write(store, Setting::TimerInterval, settings.TimerInterval);
  Write(store, Setting::StartTime, settings.StartTime);
}
