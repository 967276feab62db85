// Registry files of any content: the lookup must stay inside the text and either find a
// value, find none, or raise the registry's type error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Exceptions.h"
#include "config/DefaultAccessPath.h"
#include "config/WineRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    AccessPathFromSystemRegistry(text);
  } catch (const ERegistryException&) {
  }
  FindWineRegistryValue(text, "A\\B", "");
  return 0;
}
