#pragma once
// Launchers that run a program with arguments: a freedesktop ".desktop" file on the
// user's desktop or in the applications menu. Interface thread.

#include <string>

// Writes the launcher linkName + ".desktop" that runs target with arguments (Windows
// command-line form: a path with blanks in double quotes) in the target's folder. On the
// desktop (the XDG desktop folder), or, winning over it, in the applications menu in a
// folder named after the target's file name without extension, created when missing.
// An existing launcher of that name is replaced whole. A launcher that cannot be written
// is not reported; with neither flag nothing is written.
void CreateShortcut(const std::string& target, const std::string& linkName,
                    const std::string& arguments, bool onDesktop, bool onStartMenu);
