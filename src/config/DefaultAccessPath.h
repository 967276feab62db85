#pragma once
// Where the Access program is when the settings do not say. Access runs here inside a
// Wine prefix, so its folder comes from the prefix's local-machine registry ("system.reg"
// of $WINEPREFIX, else of ~/.wine).

#include <string>
#include <string_view>

// The text value "OfficeBin" of the key "SOFTWARE\Microsoft\Office\8.0\Common\InstallRoot",
// followed by "\Msaccess.exe" with no separator logic: no file, key or value gives
// "\Msaccess.exe", and a value ending in "\" gives a doubled one. The result is a path
// of the Windows program inside the prefix. A value that is not text raises
// ERegistryException "Invalid data type for 'OfficeBin'".
std::string DefaultAccessPath();

// The same rule over the text of a system.reg file (empty text: no file).
std::string AccessPathFromSystemRegistry(std::string_view systemReg);
