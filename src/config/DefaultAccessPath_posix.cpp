#include "config/DefaultAccessPath.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// system.reg of $WINEPREFIX, else of ~/.wine; empty when neither can be named.
std::string SystemRegistryPath() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix != nullptr && *prefix != '\0') return std::string(prefix) + "/system.reg";
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return std::string(home) + "/.wine/system.reg";
  return "";
}

// The file's bytes; empty when it is missing or unreadable, which reads as "no key".
std::string ReadWholeFile(const std::string& path) {
  if (path.empty()) return "";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string DefaultAccessPath() {
  return AccessPathFromSystemRegistry(ReadWholeFile(SystemRegistryPath()));
}
