#include "config/fCfgMainRules.h"

#include <filesystem>

std::string ShortcutArguments(const std::string& cfgPath) {
  const size_t first = cfgPath.find_first_not_of(' ');
  if (first == std::string::npos) return cfgPath;
  const std::string trimmed = cfgPath.substr(first, cfgPath.find_last_not_of(' ') - first + 1);
  if (trimmed.find(' ') == std::string::npos) return cfgPath;
  return '"' + trimmed + '"';
}

std::string DialogFolder(const std::string& cfgPath) {
  return std::filesystem::path(cfgPath).parent_path().string();
}
