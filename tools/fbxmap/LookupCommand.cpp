// fbxmap lookup MODULE ADDRESS...: one description per address (hexadecimal, as in the
// file, the way nm and addr2line take them), through the program's own loader.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "MapOfAnyFile.h"

int RunLookupCommand(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: fbxmap lookup MODULE ADDRESS...\n");
    return 2;
  }
  const TMapFilePtr map = MapOfAnyFile(argv[1]);
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    char* end = nullptr;
    const uintptr_t address = std::strtoull(argv[i], &end, 16);
    if (end == argv[i] || *end) {
      std::fprintf(stderr, "fbxmap: not a hexadecimal address: %s\n", argv[i]);
      status = 2;
      continue;
    }
    std::printf("%s\n", DescribeAddressIn(*map, address).c_str());
  }
  return status;
}
