#pragma once
// The process-wide date, time and number settings, and the conversions of dates,
// date-times, times and reals to and from text that use them. The profile store's typed
// reads and writes go through these. Start-up calls UseStartupDateSettings() before any
// window exists; the settings are read and changed on the interface thread only.

#include <chrono>
#include <cstdint>
#include <string>

// Calendar days. Day zero of the date system stands in for a missing date.
using TDate = std::chrono::year_month_day;
inline constexpr TDate DayZero{std::chrono::year{1899}, std::chrono::December,
                               std::chrono::day{30}};

// A moment on the local calendar (no time zone), to the millisecond.
using TDateTime = std::chrono::local_time<std::chrono::milliseconds>;
// A time of day: the time since midnight, from 0 to just under 24 hours.
using TTime = std::chrono::milliseconds;

struct FormatSettings {
  // Patterns: "y"/"yy"/"yyyy" year, "m"/"mm" month (minutes right after an hour),
  // "d"/"dd" day, "h"/"hh" hour, "n"/"nn" minute, "s"/"ss" second, "z"/"zzz" milliseconds,
  // "/" the date separator, ":" the time separator, text in quotes as it stands.
  std::string ShortDateFormat = "m/d/yyyy";
  char DateSeparator = '/';
  std::string LongTimeFormat = "hh:nn:ss";
  char TimeSeparator = ':';
  char DecimalSeparator = '.';
};

// The settings every conversion below uses.
FormatSettings& ProcessFormatSettings();

// Start-up step: short date format "yyyy/mm/dd" with the separator "/".
void UseStartupDateSettings();

// Dates: the short date format. Reading takes the numbers in the order the format gives
// (year, month, day when it begins with "y"), separated by the date separator; a text
// of two numbers is month and day (or day and month) of the current year; one- and
// two-digit years fall within the hundred years from fifty years before the current one.
std::string DateToText(TDate date);
bool TryTextToDate(const std::string& text, TDate& date);
TDate TextToDate(const std::string& text);  // EConvertError "'%s' is not a valid date"

// Times: the long time format; reading takes hour[:minute[:second[.millisecond]]]
// with an optional AM or PM before or after.
std::string TimeToText(TTime time);
bool TryTextToTime(const std::string& text, TTime& time);
TTime TextToTime(const std::string& text);  // EConvertError "'%s' is not a valid time"

// Date-times: the date, then (unless it is midnight exactly) a blank and the time.
// Reading also accepts a date alone or a time alone (on day zero).
std::string DateTimeToText(TDateTime dateTime);
bool TryTextToDateTime(const std::string& text, TDateTime& dateTime);
TDateTime TextToDateTime(const std::string& text);  // "'%s' is not a valid date and time"

// Reals: up to 15 significant digits with the decimal separator, an exponent "E-7"
// outside 1E-5 to 1E15. Reading allows blanks around the number, a sign and an exponent.
std::string RealToText(double value);
bool TryTextToReal(const std::string& text, double& value);
double TextToReal(const std::string& text);  // "'%s' is not a valid floating point value"
