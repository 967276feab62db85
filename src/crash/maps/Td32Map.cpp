#include "crash/maps/Td32Map.h"

#include <algorithm>
#include <set>

#include "crash/maps/ByteReader.h"
#include "crash/maps/MapOrder.h"
#include "crash/maps/PublicNaming.h"
#include "crash/maps/SegmentJoin.h"

namespace {

enum : uint16_t {
  kModule = 0x120,
  kGlobalSymbols = 0x125,
  kSourceModule = 0x127,
  kGlobalPublics = 0x129,
  kNames = 0x130,
};

struct Subsection {
  uint16_t type;
  std::string_view bytes;
};

// A read at an offset into bytes; fails outside them.
template <typename T>
bool At(std::string_view bytes, uint64_t offset, T& value) {
  if (offset > bytes.size()) return false;
  ByteReader in(bytes.substr(size_t(offset)));
  if constexpr (sizeof(T) == 2) return in.U16(value);
  else return in.U32(value);
}

std::string BaseName(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

class Td32Reader {
public:
  Td32Reader(std::string_view data, TMapFile& map) : data_(data), map_(map), budget_(data.size()) {}

  bool Read() {
    if (data_.size() < 8 || (data_.substr(0, 4) != "FB09" && data_.substr(0, 4) != "FB0A")) return false;
    if (!ReadDirectories()) return false;
    for (const auto& sub : subsections_)
      if (sub.type == kNames) ReadNames(sub.bytes);
    for (const auto& sub : subsections_) {
      if (sub.type == kModule) ReadModule(sub.bytes);
      if (sub.type == kSourceModule) ReadSourceModule(sub.bytes);
    }
    JoinSegments(map_.segments, false);

    const bool havePublics = std::any_of(subsections_.begin(), subsections_.end(),
                                         [](const Subsection& s) { return s.type == kGlobalPublics; });
    for (const auto& sub : subsections_) {
      if (havePublics && sub.type == kGlobalPublics) ReadSymbols(sub.bytes, 32);
      if (!havePublics && sub.type == kGlobalSymbols) ReadSymbols(sub.bytes, 4);
    }
    SortMapForSearch(map_);
    JoinSegments(map_.segments, true);
    return found_;
  }

private:
  bool ReadDirectories() {
    uint32_t offset = 0;
    At(data_, 4, offset);
    // A chain that comes back to a directory it has passed ends there.
    std::set<uint32_t> visited;
    size_t entries = 0;
    while (offset && visited.insert(offset).second) {
      uint16_t headerSize = 0, entrySize = 0;
      uint32_t count = 0, next = 0;
      if (!At(data_, offset, headerSize) || !At(data_, offset + 2, entrySize) ||
          !At(data_, offset + 4, count) || !At(data_, offset + 8, next) || entrySize < 12)
        return !subsections_.empty();
      for (uint64_t i = 0; i < count; ++i) {
        const uint64_t entry = uint64_t(offset) + headerSize + i * entrySize;
        uint16_t type = 0;
        uint32_t start = 0, size = 0;
        if (!At(data_, entry, type) || !At(data_, entry + 4, start) || !At(data_, entry + 8, size)) break;
        // Entries of a sound file are distinct 12-byte records; more is a corrupt chain.
        if (++entries > data_.size() / 12) return true;
        if (start <= data_.size() && data_.size() - start >= size)
          subsections_.push_back({type, data_.substr(start, size)});
      }
      offset = next;
    }
    return true;
  }

  void ReadNames(std::string_view bytes) {
    uint32_t count = 0;
    ByteReader in(bytes);
    if (!in.U32(count)) return;
    std::string name;
    for (uint32_t i = 0; i < count && in.ShortString(name); ++i) {
      names_.push_back(name);
      uint8_t zero = 0;
      if (!in.U8(zero)) break;
    }
  }

  bool Spend() { return budget_ && budget_--; }

  // Names are numbered from 1; 0 and numbers beyond the table have none.
  const std::string* Name(uint32_t index) const {
    return index >= 1 && index <= names_.size() ? &names_[index - 1] : nullptr;
  }

  void AddSegment(bool code, uint32_t offset, uint32_t size, std::string_view path) {
    const uintptr_t base = code ? map_.codeRange.start : map_.dataRange.start;
    map_.segments.push_back({true, code, base + offset, size, TrimUnitExtension(BaseName(path))});
    found_ = true;
  }

  void ReadModule(std::string_view bytes) {
    uint16_t count = 0;
    uint32_t nameIndex = 0;
    if (!At(bytes, 4, count) || !At(bytes, 8, nameIndex)) return;
    const std::string* name = Name(nameIndex);
    for (uint64_t i = 0; i < count; ++i) {
      const uint64_t entry = 28 + i * 12;
      uint16_t segment = 0;
      uint32_t offset = 0, size = 0;
      if (!At(bytes, entry + 2, segment) || !At(bytes, entry + 4, offset) || !At(bytes, entry + 8, size))
        return;
      if (!Spend()) return;
      if (size) AddSegment(segment == 1, offset, size, name ? *name : std::string_view());
    }
  }

  void ReadSourceModule(std::string_view bytes) {
    uint16_t files = 0;
    if (!At(bytes, 0, files)) return;
    for (uint64_t f = 0; f < files; ++f) {
      uint32_t record = 0;
      uint16_t ranges = 0;
      uint32_t nameIndex = 0;
      if (!At(bytes, 4 + f * 4, record) || !At(bytes, record, ranges) || !At(bytes, uint64_t(record) + 2, nameIndex))
        return;
      const std::string* name = Name(nameIndex);
      for (uint64_t r = 0; r < ranges; ++r) {
        uint32_t table = 0;
        if (!Spend() || !At(bytes, uint64_t(record) + 6 + r * 4, table)) return;
        ReadLineTable(bytes, table, name ? *name : std::string_view());
      }
    }
  }

  void ReadLineTable(std::string_view bytes, uint64_t table, std::string_view file) {
    uint16_t count = 0;
    if (!At(bytes, table + 2, count) || count == 0) return;
    const uint64_t offsets = table + 4, numbers = offsets + uint64_t(count) * 4;
    uint32_t first = 0, last = 0;
    for (uint64_t i = 0; i < count; ++i) {
      uint32_t offset = 0;
      uint16_t line = 0;
      if (!Spend() || !At(bytes, offsets + i * 4, offset) || !At(bytes, numbers + i * 2, line)) return;
      map_.lines.push_back({line, map_.codeRange.start + offset});
      if (i == 0) first = offset;
      last = offset;
    }
    AddSegment(true, first, last >= first ? last - first : 0, file);
  }

  void ReadSymbols(std::string_view bytes, uint64_t at) {
    uint16_t length = 0, type = 0;
    while (At(bytes, at, length) && At(bytes, at + 2, type) && length >= 2) {
      if (!Spend()) return;
      const std::string_view record = bytes.substr(size_t(at), std::min<size_t>(length + 2, bytes.size() - at));
      at += uint64_t(length) + 2;
      bool code;
      uint64_t nameAt, offsetAt;
      if (type == 0x204 || type == 0x205) code = true, nameAt = 40, offsetAt = 28;
      else if (type == 0x201 || type == 0x202) code = false, nameAt = 16, offsetAt = 4;
      else if (type == 0x20 || type == 0x21) code = type == 0x20, nameAt = 12, offsetAt = 20;
      else continue;
      uint32_t nameIndex = 0, offset = 0;
      if (!At(record, nameAt, nameIndex) || !At(record, offsetAt, offset) || nameIndex == 0) continue;
      const std::string* name = Name(nameIndex);
      if (!name || name->empty() || IsSkippedPublicName(*name)) continue;
      const uintptr_t address = (code ? map_.codeRange.start : map_.dataRange.start) + offset;
      map_.publics.push_back({true, code, NamePublic(map_, code, address, *name), address});
      ExtendSegmentTo(code, address);
      found_ = true;
    }
  }

  // A public reaches the segment of its kind that starts at or below it.
  void ExtendSegmentTo(bool code, uintptr_t address) {
    auto first = std::partition_point(map_.segments.begin(), map_.segments.end(),
                                      [](const TMfSegment& s) { return s.code; });
    auto begin = code ? map_.segments.begin() : first;
    auto end = code ? first : map_.segments.end();
    auto next = std::upper_bound(begin, end, address,
                                 [](uintptr_t a, const TMfSegment& s) { return a < s.start; });
    if (next == begin) return;
    TMfSegment& segment = *std::prev(next);
    if (address >= segment.start + segment.length) segment.length = uint32_t(address - segment.start + 1);
  }

  std::string_view data_;
  TMapFile& map_;
  std::vector<Subsection> subsections_;
  std::vector<std::string> names_;
  // Offsets may point many times at the same bytes; a sound file never yields more
  // items (subsections, segments, line tables and entries, symbols) than it has bytes.
  size_t budget_;
  bool found_ = false;
};

}  // namespace

bool ReadTd32(std::string_view data, TMapFile& map) {
  TMapFile read = map;
  if (!Td32Reader(data, read).Read()) return false;
  map = std::move(read);
  return true;
}
