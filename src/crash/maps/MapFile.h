#pragma once
// Symbol maps of the loaded modules, and the lookups that name a code address by module,
// unit, line and function. A map is loaded on first use from the first source that works
// (the map embedded in the module's file, TD32 debug information, a text ".map" file, a
// packed ".fbx" file) and kept in a process-wide cache until its source file changes.
//
// Everything here is safe to call from any thread, but never from a signal handler (it
// allocates, takes a lock and reads files). Nothing here throws to its caller.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TMfSegment {
  bool valid = false;
  bool code = false;  // code or data
  uintptr_t start = 0;
  uint32_t length = 0;
  std::string unit;
};

struct TMfPublic {
  bool valid = false;
  bool code = false;
  std::string name;  // as the source gives it: Itanium names stay mangled
  uintptr_t address = 0;
};

struct TMfLine {
  int line = 0;
  uintptr_t address = 0;
};

// A range of addresses [start, end), empty when start == end.
struct TAddressRange {
  uintptr_t start = 0;
  uintptr_t end = 0;
  bool Contains(uintptr_t address) const { return start <= address && address < end; }
};

// The map of one module. All addresses are absolute. Read-only once loaded: segments
// are sorted code before data, then by start; publics and lines by address.
struct TMapFile {
  uintptr_t module = 0;    // load bias of the module (0 for a file looked at on disk)
  std::string fileName;    // full path of the module
  std::string sourceName;  // the file the map was read from
  TAddressRange codeRange;
  TAddressRange dataRange;
  std::vector<TMfSegment> segments;
  std::vector<TMfPublic> publics;
  std::vector<TMfLine> lines;
  uintptr_t entryPoint = 0;  // 0 when the source gives none
  bool loaded = false;
};

using TMapFilePtr = std::shared_ptr<const TMapFile>;

// The map of the loaded module that contains address (the program itself when address
// is 0). Never null: an address outside every module gets an empty map (loaded false).
TMapFilePtr GetModuleMap(uintptr_t address);

// The map of a module file on disk that is not loaded, its addresses as in the file.
// Not cached.
TMapFilePtr LoadMapOfFile(const std::string& path);

// The segment of that kind that contains address, or an invalid one.
TMfSegment SegmentAt(const TMapFile& map, bool code, uintptr_t address);
// The public with the highest address not above address, provided address lies below
// the next public (below the end of the code range for the last); else an invalid one.
TMfPublic PublicAt(const TMapFile& map, uintptr_t address);
// The line of the nearest line entry at or below address when that entry lies in the
// code segment of address, else 0. lineEnd (optional) gets the next entry's address.
int LineAt(const TMapFile& map, uintptr_t address, uintptr_t* lineEnd = nullptr);

// What a lookup found. The texts point into the map: LookupAddress keeps its map alive
// in map; after LookupAddressIn they live as long as the map passed in.
struct TAddressInfo {
  TMapFilePtr map;
  std::string_view moduleFileName;  // full path
  std::string_view unit;
  int line = 0;
  uintptr_t publicAddress = 0;
  std::string_view publicName;
};

// False when the module of address has no loaded map; else fills info.
bool LookupAddress(uintptr_t address, TAddressInfo& info);
// The same on a map already at hand (what LookupAddress does after finding the map).
bool LookupAddressIn(const TMapFile& map, uintptr_t address, TAddressInfo& info);

// One line: the address in lower-case hex (at least 8 digits), then " ???" when nothing
// is known, else " module unit [line ]function", the function name undecorated.
std::string DescribeAddress(uintptr_t address);
std::string DescribeAddressIn(const TMapFile& map, uintptr_t address);

// The name of the public whose address is exactly address, else empty.
std::string PublicNameAt(uintptr_t address);

// A line and the addresses that share it.
struct TLineRange {
  TAddressRange addresses;
  int line = 0;
};
// The line of address. A caller that passes back the range of the previous call gets no
// new lookup while address stays inside it; otherwise range is filled anew (an address
// without a line gets line 0 and an empty range).
int LineRangeAt(uintptr_t address, TLineRange& range);

// Frees every cached map (at shutdown).
void ClearMapCache();
