#include "profile/IsoDate.h"

#include <cstdio>

#include "base/DateScan.h"
#include "base/Exceptions.h"
#include "base/LocalClock.h"

std::string DateToIsoText(std::chrono::year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::chrono::year_month_day IsoTextToDate(const std::string& text, int currentYear) {
  size_t pos = 0;
  TDate date;
  if (!ScanDate(text, pos, DateOrder::YearMonthDay, '-', currentYear, date) ||
      pos != text.size()) {
    throw EConvertError(Format("'%s' is not a valid date", text));
  }
  return date;
}

std::chrono::year_month_day IsoTextToDate(const std::string& text) {
  return IsoTextToDate(text, CurrentLocalYear());
}
