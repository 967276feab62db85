#include "schedule/ScheduleEntry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "schedule/ScheduleFakes.h"

namespace {

using std::chrono::days;
using std::chrono::sys_days;

TDate DayBefore(TDate date) { return TDate{sys_days{date} - days{1}}; }

TEST(DueRule, FirstDueDayByKindAndCount) {
  struct Case {
    const char* label;
    char kind;
    int32_t count;
    TDate last;
    TDate firstDue;
  };
  const Case cases[] = {
      {"daily: one day, not the count", 'd', 5, Day(2004, 3, 15), Day(2004, 3, 16)},
      {"daily across the year end", 'd', 1, Day(2004, 12, 31), Day(2005, 1, 1)},
      {"weekly: 7 x count days", 'w', 2, Day(2004, 3, 15), Day(2004, 3, 29)},
      {"weekly count 0: the same day", 'w', 0, Day(2004, 3, 15), Day(2004, 3, 15)},
      {"weekly count below 0: before the last run", 'w', -1, Day(2004, 3, 15), Day(2004, 3, 8)},
      {"monthly: one month, not the count, leap February", 'm', 3, Day(2004, 1, 31), Day(2004, 2, 29)},
      {"monthly: February of a common year", 'm', 1, Day(2003, 1, 31), Day(2003, 2, 28)},
      {"monthly: 31 March gives 30 April", 'm', 1, Day(2004, 3, 31), Day(2004, 4, 30)},
      {"monthly: December goes on to January", 'm', 1, Day(2004, 12, 15), Day(2005, 1, 15)},
      {"monthly from day zero", 'm', 1, DayZero, Day(1900, 1, 30)},
      {"another kind letter: the date itself", 'x', 1, Day(2004, 3, 15), Day(2004, 3, 15)},
      {"no kind letter: the date itself", '\0', 9, Day(2004, 3, 15), Day(2004, 3, 15)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(NextDueDate(c.kind, c.count, c.last), c.firstDue);
    EXPECT_TRUE(IsDue(c.kind, c.count, c.last, c.firstDue));
    EXPECT_FALSE(IsDue(c.kind, c.count, c.last, DayBefore(c.firstDue)));
  }
}

TEST(DueRule, WeeklyCountsBeyondTheCalendarStayOrdered) {
  // 7 x count overflows 32 bits; the due day must still lie after (or before) any real day.
  EXPECT_FALSE(IsDue('w', INT32_MAX, DayZero, Day(9999, 12, 31)));
  EXPECT_TRUE(IsDue('w', INT32_MIN, Day(9999, 12, 31), Day(1, 1, 1)));
  EXPECT_TRUE(NextDueDate('w', INT32_MAX, DayZero).ok());
}

}  // namespace
