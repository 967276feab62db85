#include "crash/maps/PackedMap.h"

#include <algorithm>

#include "crash/maps/ByteReader.h"
#include "crash/maps/MapOrder.h"
#include "crash/maps/PackedContainer.h"

namespace {

// Entries never take fewer bytes than these, so a count can be checked against the
// bytes left before anything is reserved.
constexpr size_t kMinSegmentBytes = 9, kMinPublicBytes = 2, kMinLineBytes = 2;

bool ReadCount(ByteReader& in, size_t minEntryBytes, uint32_t& count) {
  return in.U32(count) && count <= in.Remaining() / minEntryBytes;
}

bool ReadStream(std::string_view stream, uintptr_t base, TMapFile& map) {
  ByteReader in(stream);
  uint32_t count = 0;
  if (!ReadCount(in, kMinSegmentBytes, count)) return false;
  map.segments.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t start = 0, length = 0;
    TMfSegment segment;
    if (!in.U32(start) || !in.U32(length) || !in.ShortString(segment.unit)) return false;
    segment.valid = segment.code = true;
    segment.start = base + start;
    segment.length = length;
    map.segments.push_back(std::move(segment));
  }

  if (!ReadCount(in, kMinPublicBytes, count)) return false;
  map.publics.reserve(count);
  uint32_t offset = 0;
  for (uint32_t i = 0; i < count; ++i) {
    TMfPublic symbol;
    if (!in.ShortString(symbol.name)) return false;
    if (i == 0) {
      if (!in.U32(offset)) return false;
    } else {
      int32_t delta = 0;
      if (!in.Packed(delta)) return false;
      offset += uint32_t(delta);
    }
    symbol.valid = symbol.code = true;
    symbol.address = base + offset;
    map.publics.push_back(std::move(symbol));
  }

  if (!ReadCount(in, kMinLineBytes, count)) return false;
  map.lines.reserve(count);
  uint32_t line = 0;
  offset = 0;
  for (uint32_t i = 0; i < count; ++i) {
    if (i == 0) {
      if (!in.U32(line) || !in.U32(offset)) return false;
    } else {
      int32_t lineDelta = 0, offsetDelta = 0;
      if (!in.Packed(lineDelta) || !in.Packed(offsetDelta)) return false;
      line += uint32_t(lineDelta);
      offset += uint32_t(offsetDelta);
    }
    map.lines.push_back({int(line), base + offset});
  }

  uint32_t entry = 0;
  if (in.Remaining() == 4 && in.U32(entry)) map.entryPoint = base + entry;
  return true;
}

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(char(value >> (8 * i)));
}

void PutPacked(std::string& out, uint32_t delta) {
  const int32_t value = int32_t(delta);
  if (value >= -127 && value <= 127) {
    out.push_back(char(int8_t(value)));
  } else {
    out.push_back(char(0x80));
    PutU32(out, delta);
  }
}

void PutShortString(std::string& out, const std::string& text) {
  const size_t length = std::min<size_t>(text.size(), 255);
  out.push_back(char(length));
  out.append(text, 0, length);
}

}  // namespace

bool ReadPackedMap(std::string_view packed, TMapFile& map) {
  auto stream = OpenPackedMap(packed);
  if (!stream) return false;
  TMapFile read = map;
  read.segments.clear();
  read.publics.clear();
  read.lines.clear();
  read.entryPoint = 0;
  if (!ReadStream(*stream, read.codeRange.start, read)) return false;
  SortMapForSearch(read);
  map = std::move(read);
  return true;
}

std::string WritePackedMap(const TMapFile& map) {
  const uintptr_t base = map.codeRange.start;
  std::string stream;
  uint32_t count = 0;
  for (const auto& segment : map.segments) count += segment.code;
  PutU32(stream, count);
  for (const auto& segment : map.segments) {
    if (!segment.code) continue;
    PutU32(stream, uint32_t(segment.start - base));
    PutU32(stream, segment.length);
    PutShortString(stream, segment.unit);
  }

  count = 0;
  for (const auto& symbol : map.publics) count += symbol.code;
  PutU32(stream, count);
  uint32_t previous = 0;
  bool first = true;
  for (const auto& symbol : map.publics) {
    if (!symbol.code) continue;
    const uint32_t offset = uint32_t(symbol.address - base);
    PutShortString(stream, symbol.name);
    if (first) PutU32(stream, offset); else PutPacked(stream, offset - previous);
    previous = offset;
    first = false;
  }

  PutU32(stream, uint32_t(map.lines.size()));
  uint32_t previousLine = 0;
  previous = 0;
  first = true;
  for (const auto& entry : map.lines) {
    const uint32_t offset = uint32_t(entry.address - base);
    if (first) {
      PutU32(stream, uint32_t(entry.line));
      PutU32(stream, offset);
    } else {
      PutPacked(stream, uint32_t(entry.line) - previousLine);
      PutPacked(stream, offset - previous);
    }
    previousLine = uint32_t(entry.line);
    previous = offset;
    first = false;
  }

  if (map.entryPoint) PutU32(stream, uint32_t(map.entryPoint - base));
  return SealPackedMap(stream);
}
