// fbxmap dump FILE: the segments, publics and lines of a map, for checking by hand.
#include <cinttypes>
#include <cstdio>

#include "MapOfAnyFile.h"
#include "crash/maps/Undecorate.h"

int RunDumpCommand(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fbxmap dump FILE\n");
    return 2;
  }
  const TMapFilePtr map = MapOfAnyFile(argv[1]);
  if (!map->loaded) {
    std::fprintf(stderr, "fbxmap: no map in %s\n", argv[1]);
    return 1;
  }
  std::printf("source %s\ncode %08" PRIxPTR "-%08" PRIxPTR " data %08" PRIxPTR "-%08" PRIxPTR
              " entry %08" PRIxPTR "\n",
              map->sourceName.c_str(), map->codeRange.start, map->codeRange.end, map->dataRange.start,
              map->dataRange.end, map->entryPoint);
  std::printf("segments %zu\n", map->segments.size());
  for (const auto& s : map->segments)
    std::printf("  %s %08" PRIxPTR " %08x %s\n", s.code ? "code" : "data", s.start, s.length, s.unit.c_str());
  std::printf("publics %zu\n", map->publics.size());
  for (const auto& p : map->publics)
    std::printf("  %s %08" PRIxPTR " %s\n", p.code ? "code" : "data", p.address,
                UndecorateName(p.name).c_str());
  std::printf("lines %zu\n", map->lines.size());
  for (const auto& l : map->lines) std::printf("  %08" PRIxPTR " %d\n", l.address, l.line);
  return 0;
}
