#pragma once
// The map a file on disk holds: the map of a module (through the program's own loader,
// addresses as in the file), or a ".fbx", ".tds" or ".map" file read on its own
// (offsets from 0).
#include <string>

#include "crash/maps/MapFile.h"

TMapFilePtr MapOfAnyFile(const std::string& path);
