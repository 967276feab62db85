#include "shell/Shortcut.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "base/FileBytes.h"
#include "profile/TextFields.h"
#include "shell/CommandLine.h"
#include "shell/DesktopEntry.h"
#include "shell/UserDirs.h"

namespace {
std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  const passwd* user = getpwuid(getuid());
  return user && user->pw_dir ? user->pw_dir : "";
}

// An XDG base folder from its variable; relative values are ignored, as the XDG rules say.
std::string XdgFolder(const char* variable, const std::string& fallback) {
  const char* value = std::getenv(variable);
  return value && value[0] == '/' ? value : HomeFolder() + fallback;
}

std::string DesktopFolder() {
  std::string bytes;
  std::string userDirs = XdgFolder("XDG_CONFIG_HOME", "/.config") + "/user-dirs.dirs";
  if (ReadFileBytes(userDirs, bytes) == 0) {
    std::string folder = DesktopDirFromUserDirs(bytes, HomeFolder());
    if (!folder.empty()) return folder;
  }
  return HomeFolder() + "/Desktop";
}

// The menu folder of the program. The applications folder stands for a start menu, which
// always exists, so it is made with its parents when missing; then the program's folder.
std::string StartMenuFolder(const std::string& target) {
  std::string applications = XdgFolder("XDG_DATA_HOME", "/.local/share") + "/applications";
  std::error_code ignored;
  std::filesystem::create_directories(applications, ignored);
  std::string folder = applications + "/" + FileNameWithoutExt(target);
  mkdir(folder.c_str(), 0755);  // an existing folder or a failure shows at the write
  return folder;
}

// Desktops run only launchers marked executable; add execute wherever read is allowed.
void MarkExecutable(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return;
  mode_t mode = info.st_mode & 07777;
  mode |= (mode & 0444) >> 2;
  chmod(path.c_str(), mode);
}
}  // namespace

void CreateShortcut(const std::string& target, const std::string& linkName,
                    const std::string& arguments, bool onDesktop, bool onStartMenu) {
  if (!onDesktop && !onStartMenu) return;
  std::string folder = onStartMenu ? StartMenuFolder(target) : DesktopFolder();
  std::vector<std::string> command{target};
  for (std::string& argument : SplitArguments(arguments)) command.push_back(std::move(argument));
  std::string workingFolder = target.substr(0, target.rfind('/') + 1);
  std::string path = folder + "/" + linkName + ".desktop";
  if (ReplaceFileAtomically(path, DesktopEntryText(linkName, command, workingFolder)) == 0)
    MarkExecutable(path);
}
