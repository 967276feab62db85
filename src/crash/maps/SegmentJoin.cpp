#include "crash/maps/SegmentJoin.h"

#include <algorithm>

#include "crash/maps/PublicNaming.h"

void JoinSegments(std::vector<TMfSegment>& segments, bool closeGaps) {
  std::stable_sort(segments.begin(), segments.end(), [](const TMfSegment& a, const TMfSegment& b) {
    if (a.code != b.code) return a.code;
    if (a.start != b.start) return a.start < b.start;
    return a.length > b.length;
  });
  std::vector<TMfSegment> joined;
  joined.reserve(segments.size());
  for (auto& segment : segments) {
    if (!joined.empty() && joined.back().code == segment.code) {
      TMfSegment& last = joined.back();
      if (last.length == 0 || last.start == segment.start) {
        // The next one takes the place, but keeps what the longer one covered.
        const uint32_t length = last.start == segment.start ? std::max(last.length, segment.length) : segment.length;
        last = std::move(segment);
        last.length = length;
        continue;
      }
      if (closeGaps) last.length = uint32_t(segment.start - last.start);
      if (last.start + last.length >= segment.start) {
        last.length = uint32_t(segment.start - last.start);
        if (EqualIgnoringCase(last.unit, segment.unit)) {
          last.length += segment.length;
          continue;
        }
      }
    }
    joined.push_back(std::move(segment));
  }
  segments = std::move(joined);
}
