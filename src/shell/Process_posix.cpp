#include "shell/Process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace {
bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

int WaitForExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return 127;  // the child is gone already: nothing to report
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 127;
}
}  // namespace

std::optional<int> SpawnAndWait(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) return std::nullopt;
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return std::nullopt;
  // Whatever the program holds open (profile files, sockets) stays ours alone.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  pid_t pid = 0;
  // glibc reports a failed exec as the result and collects that child itself.
  int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return std::nullopt;
  return WaitForExit(pid);
}

bool IsExecutableProgram(const std::string& program) {
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) return IsExecutableFile(program);
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    size_t colon = folders.find(':');
    std::string_view folder = folders.substr(0, colon);
    // An empty entry means the current directory, as for execvp.
    std::string candidate = folder.empty() ? program : std::string(folder) + "/" + program;
    if (IsExecutableFile(candidate)) return true;
    if (colon == std::string_view::npos) return false;
    folders.remove_prefix(colon + 1);
  }
}

bool OpenWithDefaultProgram(const std::string& target) {
  return SpawnAndWait({"xdg-open", target}) == 0;
}
