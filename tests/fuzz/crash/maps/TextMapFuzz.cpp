// The text ".map" reader, then one lookup of each kind on what it read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "crash/maps/TextMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMapFile map;
  map.codeRange = {0x10000, 0x20000};
  map.dataRange = {0x30000, 0x40000};
  if (ReadTextMap(std::string_view(reinterpret_cast<const char*>(data), size), map)) {
    (void)SegmentAt(map, true, 0x10100);
    (void)PublicAt(map, 0x10100);
    (void)LineAt(map, 0x10100);
  }
  return 0;
}
