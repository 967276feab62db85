#include "crash/maps/MapOrder.h"

#include <algorithm>

namespace {

template <typename T, typename Less>
void SortIfNeeded(std::vector<T>& items, Less less) {
  if (!std::is_sorted(items.begin(), items.end(), less))
    std::stable_sort(items.begin(), items.end(), less);
}

}  // namespace

void SortMapForSearch(TMapFile& map) {
  SortIfNeeded(map.segments, [](const TMfSegment& a, const TMfSegment& b) {
    if (a.code != b.code) return a.code;
    return a.start < b.start;
  });
  SortIfNeeded(map.publics,
               [](const TMfPublic& a, const TMfPublic& b) { return a.address < b.address; });
  SortIfNeeded(map.lines, [](const TMfLine& a, const TMfLine& b) { return a.address < b.address; });
}
