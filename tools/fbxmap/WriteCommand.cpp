// fbxmap write ELF OUT.fbx: the packed map of a linked program, replaced atomically.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ElfMapBuilder.h"
#include "crash/maps/PackedMap.h"

int RunWriteCommand(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fbxmap write ELF OUT.fbx\n");
    return 2;
  }
  TMapFile map;
  std::string error;
  if (!BuildMapFromElf(argv[1], map, error)) {
    std::fprintf(stderr, "fbxmap: %s\n", error.c_str());
    return 1;
  }
  const std::string packed = WritePackedMap(map);
  const std::string target = argv[2];
  const std::string temporary = target + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(packed.data(), std::streamsize(packed.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "fbxmap: cannot write %s\n", temporary.c_str());
      std::filesystem::remove(temporary);
      return 1;
    }
  }
  std::error_code failure;
  std::filesystem::rename(temporary, target, failure);
  if (failure) {
    std::fprintf(stderr, "fbxmap: cannot write %s: %s\n", target.c_str(), failure.message().c_str());
    std::filesystem::remove(temporary);
    return 1;
  }
  return 0;
}
