// The lookups on a map: searches by halving over the sorted arrays.
#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "crash/maps/MapFile.h"
#include "crash/maps/Undecorate.h"

namespace {

const TMfSegment* FindSegment(const TMapFile& map, bool code, uintptr_t address) {
  const auto& all = map.segments;
  auto firstData = std::partition_point(all.begin(), all.end(), [](const TMfSegment& s) { return s.code; });
  auto begin = code ? all.begin() : firstData;
  auto end = code ? firstData : all.end();
  auto next = std::upper_bound(begin, end, address, [](uintptr_t a, const TMfSegment& s) { return a < s.start; });
  if (next == begin) return nullptr;
  const TMfSegment& segment = *std::prev(next);
  return address - segment.start < segment.length ? &segment : nullptr;
}

const TMfPublic* FindPublic(const TMapFile& map, uintptr_t address) {
  auto next = std::upper_bound(map.publics.begin(), map.publics.end(), address,
                               [](uintptr_t a, const TMfPublic& p) { return a < p.address; });
  if (next == map.publics.begin()) return nullptr;
  const TMfPublic& symbol = *std::prev(next);
  // The next public bounds this one; the last one (or one followed by publics of the
  // other kind) is bounded by the end of its range, when known.
  const TAddressRange& range = symbol.code ? map.codeRange : map.dataRange;
  return range.end && address >= range.end ? nullptr : &symbol;
}

// The index of the line entry nearest at or below address inside segment (the code
// segment of address), or -1.
ptrdiff_t LineEntryAt(const TMapFile& map, const TMfSegment* segment, uintptr_t address) {
  if (!segment) return -1;
  auto next = std::upper_bound(map.lines.begin(), map.lines.end(), address,
                               [](uintptr_t a, const TMfLine& l) { return a < l.address; });
  if (next == map.lines.begin() || std::prev(next)->address < segment->start) return -1;
  return std::prev(next) - map.lines.begin();
}

uintptr_t LineEnd(const TMapFile& map, const TMfSegment& segment, ptrdiff_t entry) {
  if (size_t(entry) + 1 < map.lines.size()) return map.lines[size_t(entry) + 1].address;
  return segment.start + segment.length;
}

std::string HexAddress(uintptr_t address) {
  char text[24];
  std::snprintf(text, sizeof text, "%08" PRIxPTR, address);
  return text;
}

std::string_view WithoutFolders(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

// The copies of a name could fail only for want of memory; the lookups never throw.
TMfSegment SegmentAt(const TMapFile& map, bool code, uintptr_t address) {
  try {
    const TMfSegment* segment = FindSegment(map, code, address);
    return segment ? *segment : TMfSegment{};
  } catch (...) {
    return {};
  }
}

TMfPublic PublicAt(const TMapFile& map, uintptr_t address) {
  try {
    const TMfPublic* symbol = FindPublic(map, address);
    return symbol ? *symbol : TMfPublic{};
  } catch (...) {
    return {};
  }
}

int LineAt(const TMapFile& map, uintptr_t address, uintptr_t* lineEnd) {
  const TMfSegment* segment = FindSegment(map, true, address);
  const ptrdiff_t entry = LineEntryAt(map, segment, address);
  if (entry < 0) return 0;
  if (lineEnd) *lineEnd = LineEnd(map, *segment, entry);
  return map.lines[size_t(entry)].line;
}

bool LookupAddressIn(const TMapFile& map, uintptr_t address, TAddressInfo& info) {
  if (!map.loaded) return false;
  info.moduleFileName = map.fileName;
  const TMfSegment* segment = FindSegment(map, true, address);
  info.unit = segment ? std::string_view(segment->unit) : std::string_view();
  const ptrdiff_t entry = LineEntryAt(map, segment, address);
  info.line = entry < 0 ? 0 : map.lines[size_t(entry)].line;
  const TMfPublic* symbol = FindPublic(map, address);
  info.publicAddress = symbol ? symbol->address : 0;
  info.publicName = symbol ? std::string_view(symbol->name) : std::string_view();
  return true;
}

bool LookupAddress(uintptr_t address, TAddressInfo& info) {
  try {
    info.map = GetModuleMap(address);
    return LookupAddressIn(*info.map, address, info);
  } catch (...) {
    return false;
  }
}

std::string DescribeAddressIn(const TMapFile& map, uintptr_t address) {
  try {
    TAddressInfo info;
    std::string text = HexAddress(address);
    if (!LookupAddressIn(map, address, info)) return text + " ???";
    text += " ";
    text += WithoutFolders(info.moduleFileName);
    text += " ";
    text += info.unit;
    text += " ";
    if (info.line > 0) text += std::to_string(info.line) + " ";
    return text + UndecorateName(info.publicName);
  } catch (...) {
    return {};
  }
}

std::string DescribeAddress(uintptr_t address) { return DescribeAddressIn(*GetModuleMap(address), address); }

std::string PublicNameAt(uintptr_t address) {
  try {
    const TMapFilePtr map = GetModuleMap(address);
    const TMfPublic* symbol = FindPublic(*map, address);
    return symbol && symbol->address == address ? symbol->name : std::string();
  } catch (...) {
    return {};
  }
}

int LineRangeAt(uintptr_t address, TLineRange& range) {
  if (range.addresses.Contains(address)) return range.line;
  range = {};
  const TMapFilePtr map = GetModuleMap(address);
  const TMfSegment* segment = FindSegment(*map, true, address);
  const ptrdiff_t entry = LineEntryAt(*map, segment, address);
  if (entry < 0) return 0;
  range.addresses = {map->lines[size_t(entry)].address, LineEnd(*map, *segment, entry)};
  range.line = map->lines[size_t(entry)].line;
  return range.line;
}
