#include "app/AppDir.h"

#include <unistd.h>

#include <climits>

std::string ApplicationDirectory() {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || length >= static_cast<ssize_t>(sizeof buffer)) return "";
  std::string path(buffer, static_cast<size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}
