#pragma once
// The user's desktop folder as the XDG user-dirs file ("user-dirs.dirs") names it.
// A plain parser: any bytes are safe.

#include <string>
#include <string_view>

// The value of the last XDG_DESKTOP_DIR line of the file text: a quoted "$HOME/..." (home
// put in place of $HOME) or an absolute path, without a trailing "/", backslash escapes
// undone. Empty when no valid line names the folder.
std::string DesktopDirFromUserDirs(std::string_view text, const std::string& home);
