#include "config/DefaultAccessPath.h"

#include "base/Exceptions.h"
#include "config/WineRegistry.h"

namespace {

const char* const InstallRootKey = "SOFTWARE\\Microsoft\\Office\\8.0\\Common\\InstallRoot";
// A 32-bit program in a 64-bit prefix sees this branch as its local-machine software key,
// and that is where a 32-bit Office setup writes.
const char* const InstallRootKey32BitView =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Office\\8.0\\Common\\InstallRoot";
const char* const FolderValue = "OfficeBin";

bool IsWin64Prefix(std::string_view systemReg) {
  return systemReg.find("\n#arch=win64") != std::string_view::npos;
}

}  // namespace

std::string AccessPathFromSystemRegistry(std::string_view systemReg) {
  const char* key = IsWin64Prefix(systemReg) ? InstallRootKey32BitView : InstallRootKey;
  std::string folder;
  if (std::optional<WineRegistryValue> value = FindWineRegistryValue(systemReg, key, FolderValue)) {
    if (!value->isText) throw ERegistryException(Format("Invalid data type for '%s'", FolderValue));
    folder = std::move(value->text);
  }
  return folder + "\\Msaccess.exe";
}
