#pragma once
// Whether the windowing platform Qt is about to use can reach a display. Without one Qt
// aborts with a long message; the program says so in one line instead.

#include <functional>
#include <string>

// lookup returns an environment variable's value, or null when it is not set. The result
// is empty when a display is reachable, else the line to print.
std::string MissingDisplayMessage(const std::function<const char*(const char*)>& lookup);
