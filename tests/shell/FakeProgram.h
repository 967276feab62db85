#pragma once
// Small executable scripts standing in for the programs the shell services start: each
// records its arguments (one per line) and its working folder, then exits with a chosen
// code.
#include <sys/stat.h>

#include <string>

#include "support/TempDir.h"

// Writes an executable script at dir/name that appends its arguments to record, its
// working folder to record + ".cwd", and exits with exitCode.
inline std::string WriteFakeProgram(const TempDir& dir, const std::string& name,
                                    const std::string& record, int exitCode = 0) {
  std::string path = dir.Write(name,
                               "#!/bin/sh\n"
                               "for a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '" + record + "'\n"
                               "pwd > '" + record + ".cwd'\n"
                               "exit " + std::to_string(exitCode) + "\n");
  chmod(path.c_str(), 0755);
  return path;
}
