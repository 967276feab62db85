#pragma once
// TD32 debug information (signature "FB09" or "FB0A"): module segments, source line
// tables and global publics or symbols.
#include <string_view>

#include "crash/maps/MapFile.h"

// Adds what the debug information holds to map (offsets added to map's code or data
// range start) and tidies the segments. True when it held at least one segment, public
// or line. Never reads outside data.
bool ReadTd32(std::string_view data, TMapFile& map);
