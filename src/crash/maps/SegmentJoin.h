#pragma once
// Tidying the segments of a map read from TD32 information: sorted code before data,
// then by start, longer first; then runs of adjacent segments of one kind are joined.
// A segment that overlaps or touches the next is cut where the next starts and, when both
// name the same unit, absorbs the next; a segment of length 0, or starting where the next
// starts, gives way to the next (which then reaches as far as the longer of the two, so
// that no code loses its unit). With closeGaps each segment first reaches to the start
// of the next one of its kind.
#include <vector>

#include "crash/maps/MapFile.h"

void JoinSegments(std::vector<TMfSegment>& segments, bool closeGaps);
