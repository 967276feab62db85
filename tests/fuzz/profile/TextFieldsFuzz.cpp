// The field routines over arbitrary text. Input: a delimiter byte, an index byte, the text.
// No result can be longer than the text it came from.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "profile/TextFields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  char delimiter = static_cast<char>(data[0]);
  int index = static_cast<int8_t>(data[1]);
  std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
  std::string results[] = {ExtractQuotedField(text, delimiter, index),
                           ExtractField(text, delimiter, index), LeftText(text, index),
                           FileNameWithoutExt(text)};
  for (const std::string& result : results) {
    if (result.size() > text.size()) {
      std::abort();
    }
  }
  return 0;
}
