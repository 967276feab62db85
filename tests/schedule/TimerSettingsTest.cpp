#include "schedule/TimerSettings.h"

#include <gtest/gtest.h>

#include "base/Exceptions.h"

namespace {

TEST(TimerSettings, IntervalInMilliseconds) {
  struct Case {
    const char* label;
    const char* minutes;
    int32_t milliseconds;  // -1: raises
    const char* message;
  };
  const Case cases[] = {
      {"default", "60", 3600000, nullptr},
      {"half hour", "30", 1800000, nullptr},
      {"zero stops the ticks", "0", 0, nullptr},
      {"hexadecimal", "$1E", 1800000, nullptr},
      {"largest that fits", "35791", 2147460000, nullptr},
      {"one above the limit", "35792", -1,
       "'35792' is not a valid timer interval: it must lie between 0 and 35791 minutes"},
      {"below zero", "-5", -1, "'-5' is not a valid timer interval: it must lie between 0 and 35791 minutes"},
      {"empty", "", -1, "'' is not a valid integer value"},
      {"not a number", "1h", -1, "'1h' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    if (c.message == nullptr) {
      EXPECT_EQ(TimerIntervalMilliseconds(c.minutes), c.milliseconds);
      continue;
    }
    try {
      TimerIntervalMilliseconds(c.minutes);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(TimerSettings, StartHourComparedInItsLow16Bits) {
  struct Case {
    const char* label;
    const char* start;
    int hour;
    bool matches;
  };
  const Case cases[] = {
      {"default 01 at one", "01", 1, true},
      {"default 01 at two", "01", 2, false},
      {"0 is the hour after midnight", "0", 0, true},
      {"24 never matches midnight", "24", 0, false},
      {"65535 never matches", "65535", 23, false},
      {"65536 wraps to 0", "65536", 0, true},
      {"below zero never matches", "-1", 23, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(IsStartHour(c.start, c.hour), c.matches);
  }
  EXPECT_THROW(IsStartHour("one", 1), EConvertError);
}

}  // namespace
