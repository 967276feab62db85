// IsoTextToDate over arbitrary text: a clean error or a date that round-trips.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Exceptions.h"
#include "profile/IsoDate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    std::chrono::year_month_day date = IsoTextToDate(text, 2024);
    if (!date.ok() || IsoTextToDate(DateToIsoText(date), 2024) != date) {
      std::abort();
    }
  } catch (const EConvertError&) {
  }
  return 0;
}
