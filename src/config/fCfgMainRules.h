#pragma once
// The main window's small text rules, kept apart from the window so they read plainly.

#include <string>

// The desktop launcher's arguments for a configuration path: the path itself, or, when
// the path trimmed of blanks holds a blank, that trimmed path in double quotes so the
// compactor receives it as one word. The path is never changed in place.
std::string ShortcutArguments(const std::string& cfgPath);

// The folder the file dialogs start in: the path without its last component and without
// a trailing "/", except that the root keeps it; empty for a bare name or an empty path.
std::string DialogFolder(const std::string& cfgPath);
