#pragma once
// Packed symbol maps: the map stream (code segments, code publics, lines, the entry
// point) inside the container of PackedContainer.h.
#include <string>
#include <string_view>

#include "crash/maps/MapFile.h"

// Reads a packed map into map, its offsets added to map.codeRange.start. False, with
// map left unchanged, when the container or the stream does not check out.
bool ReadPackedMap(std::string_view packed, TMapFile& map);

// The packed map of map's code segments, code publics and lines, written as offsets
// from map.codeRange.start; names longer than 255 characters are cut to 255.
std::string WritePackedMap(const TMapFile& map);
