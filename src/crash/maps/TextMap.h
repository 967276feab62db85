#pragma once
// The linker's detailed text map (".map" beside the module): segments, publics by
// value, line numbers and the entry point.
#include <string_view>

#include "crash/maps/MapFile.h"

// Adds what the text holds to map (offsets added to map's code or data range start).
// True when it held at least one segment, public or line. Lines that do not match the
// layout are skipped.
bool ReadTextMap(std::string_view text, TMapFile& map);
