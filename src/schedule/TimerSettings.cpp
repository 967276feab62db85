#include "schedule/TimerSettings.h"

#include <string>

#include "base/Exceptions.h"
#include "profile/Numbers.h"

int32_t TimerIntervalMilliseconds(const std::string& minutes) {
  const int32_t value = TextToInt(minutes);
  if (value < 0 || value > MaxTimerIntervalMinutes) {
    throw EConvertError(
        Format("'%s' is not a valid timer interval: it must lie between 0 and %s minutes",
               {minutes, std::to_string(MaxTimerIntervalMinutes)}));
  }
  return value * 60000;
}

bool IsStartHour(const std::string& startTime, int hour) {
  const auto low16 = static_cast<uint16_t>(static_cast<uint32_t>(TextToInt(startTime)));
  return low16 == hour;
}
