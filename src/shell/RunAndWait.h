#pragma once
// Runs a program from a whole Windows-style command line and blocks until it has ended.
//
// The line is split as the Windows loader and C runtime do (CommandLine.h) and the
// program started directly, never through a shell, so a configuration path cannot
// inject commands. The new program gets the caller's environment and current directory.
// The wait has no time limit. Interface thread; not for a signal handler.

#include <cstdint>
#include <string>

// True when the program was started and its end collected, whatever its exit code;
// false when it cannot be started. show (a Windows window-show code) has no meaning here.
bool RunAndWait(const std::string& commandLine, uint16_t show);
