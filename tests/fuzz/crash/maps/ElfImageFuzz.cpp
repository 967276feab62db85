// The ELF header reading that finds a module's ranges and its embedded map section.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "crash/maps/ElfImage.h"
#include "crash/maps/MapSources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  TAddressRange code, data_range;
  RangesFromElfFile(file, code, data_range);
  (void)ElfSection(file, kEmbeddedMapSection);
  return 0;
}
