#pragma once
// Schedule entries, their schedule codes and the due rule. Plain logic with no window:
// the scheduler window, its timer pass and the tests share it.
//
// A schedule code is either empty ("as needed": never run) or kind, "|", count, "|",
// date of the last run, e.g. d|1|2004-03-15. The kind is the code's first character:
// 'd' daily, 'w' weekly, 'm' monthly; any other letter makes the entry due from its date on.

#include <cstdint>
#include <string>

#include "base/FormatSettings.h"

class CellTable;

// One data row of the schedule grid.
struct ScheduleEntry {
  std::string Description;
  std::string ConfigFile;
  std::string Code;
};

// The grid columns of an entry's fields (column 0 is the fixed column and stays empty).
inline constexpr int DescriptionColumn = 1;
inline constexpr int ConfigFileColumn = 2;
inline constexpr int CodeColumn = 3;

// The entry held by a row of the schedule table.
ScheduleEntry EntryOfRow(const CellTable& table, int row);

// The kind letter of a code: its first character, '\0' for the empty code.
char ScheduleKind(const std::string& code);

// The kind letter, "|", the count text, "|" and the date text, all as given.
std::string BuildScheduleCode(char kind, const std::string& count, const std::string& date);

// The day from which an entry that last ran on `last` is due again:
//   'd' the next day and 'm' the same day of the next month (its last day when that month
//   is shorter), whatever the count; 'w' 7 x count days later; any other kind `last` itself.
// Weekly counts that reach outside the calendar are held at its first or last day, which
// lie far outside any date the schedule meets.
TDate NextDueDate(char kind, int32_t count, TDate last);

// True when today is on or after NextDueDate(kind, count, last).
bool IsDue(char kind, int32_t count, TDate last, TDate today);
