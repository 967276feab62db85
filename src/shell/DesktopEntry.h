#pragma once
// The text of a freedesktop launcher (a ".desktop" file of Type=Application), the
// platform's counterpart of a shell link. Plain text building, no file access.

#include <string>
#include <vector>

// A launcher named name that runs command[0] with the arguments command[1..] in
// workingFolder (no Path= key when it is empty). Every word is quoted and escaped by the
// Desktop Entry rules, so any path reaches the program as it is and nothing in it is
// taken for a field code or by a shell.
std::string DesktopEntryText(const std::string& name, const std::vector<std::string>& command,
                             const std::string& workingFolder);
