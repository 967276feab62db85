#include "config/CompactionConfig.h"

#include <utility>

#include "base/Exceptions.h"
#include "profile/IniFile.h"
#include "profile/ProfileText.h"
#include "profile/TextFields.h"

namespace {

const char* const Section = "Defaults";
const char ListDelimiter = '|';

std::string ShiftEveryCharacter(const std::string& text, int shift) {
  std::string shifted(text);
  for (char& c : shifted) {
    c = static_cast<char>((static_cast<unsigned char>(c) + shift) & 0xFF);
  }
  return shifted;
}

std::string JoinList(const std::vector<std::string>& entries) {
  std::string joined;
  for (const std::string& entry : entries) {
    joined += entry;
    joined += ListDelimiter;
  }
  return joined;
}

// The first empty field ends the list, so an empty entry hides every entry after it.
std::vector<std::string> SplitList(const std::string& joined) {
  std::vector<std::string> entries;
  for (int index = 0;; ++index) {
    std::string entry = ExtractQuotedField(joined, ListDelimiter, index);
    if (entry.empty()) break;
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace

std::string ScramblePassword(const std::string& plain) {
  return ShiftEveryCharacter(plain, PasswordShift);
}

std::string UnscramblePassword(const std::string& scrambled) {
  return ShiftEveryCharacter(scrambled, 256 - PasswordShift);
}

CompactionConfig ReadCompactionConfig(const std::string& path) {
  CompactionConfig config;
  const std::string list = ReadLongValue(Section, "CompactFiles", "", path);
  TIniFile store(path);
  config.Description = store.ReadText(Section, "Description", "");
  config.Repair = store.ReadFlag(Section, "Repair", false);
  config.Workgroup = store.ReadText(Section, "Workgroup", "");
  config.Login = store.ReadText(Section, "Login", "");
  config.Password = store.ReadText(Section, "Password", "");
  config.Encrypt = store.ReadFlag(Section, "Encrypt", false);
  config.LaunchFile = store.ReadText(Section, "LaunchFile", "");
  if (config.Encrypt) config.Password = UnscramblePassword(config.Password);
  config.CompactFiles = SplitList(list);
  return config;
}

void WriteCompactionConfig(const std::string& path, const CompactionConfig& config) {
  const std::string list = JoinList(config.CompactFiles);
  const std::string password = config.Encrypt ? ScramblePassword(config.Password) : config.Password;
  // A value with a line break or NUL would be refused halfway through the keys (the list
  // even silently), so such a configuration is refused before anything is written.
  const std::pair<const char*, const std::string&> texts[] = {
      {"CompactFiles", list},         {"AccessPath", config.AccessPath},
      {"Description", config.Description}, {"Workgroup", config.Workgroup},
      {"Login", config.Login},        {"Password", password},
      {"LaunchFile", config.LaunchFile}};
  for (const auto& [key, value] : texts) {
    if (!IsStorableInProfile(Section, key, value)) {
      throw EIniFileException(Format("Unable to write to %s", path));
    }
  }

  WriteLongValue(Section, "CompactFiles", list, path);
  TIniFile store(path);
  store.WriteText(Section, "AccessPath", config.AccessPath);
  store.WriteText(Section, "Description", config.Description);
  store.WriteFlag(Section, "Repair", config.Repair);
  store.WriteText(Section, "Workgroup", config.Workgroup);
  store.WriteText(Section, "Login", config.Login);
  store.WriteFlag(Section, "Encrypt", config.Encrypt);
  store.WriteText(Section, "Password", password);
  store.WriteText(Section, "LaunchFile", config.LaunchFile);
}

std::string ReadConfiguredAccessPath(const std::string& path) {
  return TIniFile(path).ReadText(Section, "AccessPath", "");
}
