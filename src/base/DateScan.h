#pragma once
// Scanners for dates and times in text, shared by the process-wide conversions and the
// ISO date routine. Each reads from pos onward, moves pos past what it took, and says
// whether it found a valid value; the caller decides whether anything may follow.

#include <cstddef>
#include <string_view>

#include "base/FormatSettings.h"

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The order of the numbers a date format gives: by its first letter d, m or y.
DateOrder DateOrderOf(std::string_view format);

// Three numbers (or two, without the year) joined by the separator, blanks allowed before
// each number and separator, then an optional separator and blanks. A number stops once
// its value reaches 1000. A year of one or two digits lands in the hundred years that
// start fifty years before currentYear; a missing year is currentYear.
bool ScanDate(std::string_view text, size_t& pos, DateOrder order, char separator,
              int currentYear, TDate& date);

// hour[:minute[:second[.millisecond]]] with an optional AM or PM before or after, then
// blanks. An hour with AM or PM is 1 to 12.
bool ScanTime(std::string_view text, size_t& pos, char timeSeparator, char decimalSeparator,
              TTime& time);
