#pragma once
// Puts a map's arrays into the order the lookups search by halving: segments code
// before data, then by start; publics and lines by address (equal addresses keep their
// order). Cheap for the sources that already deliver them in order.
#include "crash/maps/MapFile.h"

void SortMapForSearch(TMapFile& map);
