// The packed map reader: the container as it comes, and the input sealed as a map
// stream, so the stream parser behind the cipher and the CRC sees arbitrary bytes too.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "crash/maps/PackedContainer.h"
#include "crash/maps/PackedMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TMapFile map;
  map.codeRange = {0x1000, 0x2000};
  ReadPackedMap(input, map);
  TMapFile sealed = map;
  if (ReadPackedMap(SealPackedMap(input), sealed)) (void)PublicAt(sealed, 0x1800);
  return 0;
}
