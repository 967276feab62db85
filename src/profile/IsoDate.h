#pragma once
// Dates as "yyyy-MM-dd" text. Fixed format: the process-wide date settings play no part.

#include <chrono>
#include <string>

// Four-digit year, two-digit month and day: 5 March 2004 gives "2004-03-05".
std::string DateToIsoText(std::chrono::year_month_day date);

// Reads year-month-day (blanks allowed before each number and "-", one trailing "-"
// and trailing blanks); a one- or two-digit year falls within the hundred years from
// fifty years before the current one; month-day alone is in the current year.
// Raises EConvertError "'%s' is not a valid date".
std::chrono::year_month_day IsoTextToDate(const std::string& text);
// The same with the current year given, for callers with a clock of their own.
std::chrono::year_month_day IsoTextToDate(const std::string& text, int currentYear);
