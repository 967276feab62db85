// The user-dirs file belongs to the user and may hold anything: it must parse without
// reading past its bytes, and a folder it yields is always absolute.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/UserDirs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string folder = DesktopDirFromUserDirs(text, "/home/u");
  if (!folder.empty() && folder[0] != '/') std::abort();
  return 0;
}
