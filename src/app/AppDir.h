#pragma once
#include <string>

// The folder of the running executable, ending in "/": the settings file, the schedule
// file, the help file and the default compactor live there. Empty when it cannot be found.
std::string ApplicationDirectory();
