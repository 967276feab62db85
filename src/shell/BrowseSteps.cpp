#include "shell/BrowseSteps.h"

#include <filesystem>

namespace {
std::string NamePart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool IsValidFileName(const std::string& path) {
  return !path.empty() && path.find_first_of("<>\"[]|") == std::string::npos &&
         NamePart(path).find('\\') == std::string::npos;
}

std::string FirstWord(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') {
    size_t close = commandLine.find('"', 1);
    return commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return commandLine.substr(0, commandLine.find(' '));
}

bool Exists(const std::string& path, bool folder) {
  std::error_code ignored;
  return folder ? std::filesystem::is_directory(path, ignored)
                : std::filesystem::is_regular_file(path, ignored);
}
}  // namespace

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

BrowseStart BrowseStartFor(const std::string& text, const std::string& lastDir) {
  std::string file = Exists(text, false) ? text : FirstWord(text);
  BrowseStart start{lastDir, ""};
  if (!IsValidFileName(file)) return start;
  std::string folder = FolderOf(file);
  if (!folder.empty() && Exists(folder, true)) start.initialDir = folder;
  start.fileName = NamePart(file);
  return start;
}

std::string FieldTextForChosenPath(const std::string& path) {
  bool quote = path.find(' ') != std::string::npos && (path.empty() || path[0] != '"');
  return quote ? "\"" + path + "\"" : path;
}
