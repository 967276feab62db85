#pragma once
// Starting other programs and waiting for them, without a shell: the arguments reach the
// program exactly as given, so no path or address can inject commands.
//
// Blocking calls for the interface thread or a tool's main; not for a signal handler.

#include <optional>
#include <string>
#include <vector>

// Starts argv[0] with the arguments argv[1..], the caller's environment and current
// directory, and waits for it to end. argv[0] without a "/" is looked up on PATH.
// Descriptors other than 0, 1 and 2 are not inherited. Returns the exit code (128 plus
// the signal number when a signal ended it), or nothing when the program cannot be
// started (missing, not executable, not a program); then no child is left behind.
std::optional<int> SpawnAndWait(const std::vector<std::string>& argv);

// True when program names an executable regular file; a name without a "/" is looked up
// on PATH as SpawnAndWait would.
bool IsExecutableProgram(const std::string& program);

// Opens a file, folder or address with the user's preferred program (xdg-open) and waits
// for the opener to hand it on. True when the opener ran and reported success (exit 0).
bool OpenWithDefaultProgram(const std::string& target);
