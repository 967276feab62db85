// TextToInt over arbitrary text: a clean error or a value whose decimal text converts back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Exceptions.h"
#include "profile/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  int32_t value = 0;
  bool converted = TryTextToInt(text, value);
  try {
    if (TextToInt(text) != value || !converted || TextToInt(std::to_string(value)) != value) {
      std::abort();
    }
  } catch (const EConvertError&) {
    if (converted) {
      std::abort();
    }
  }
  return 0;
}
