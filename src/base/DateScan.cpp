#include "base/DateScan.h"

#include <cctype>

namespace {

void ScanBlanks(std::string_view text, size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') {
    ++pos;
  }
}

bool ScanChar(std::string_view text, size_t& pos, char c) {
  ScanBlanks(text, pos);
  if (pos < text.size() && text[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

// Letters compared without regard to case.
bool ScanWord(std::string_view text, size_t& pos, std::string_view word) {
  ScanBlanks(text, pos);
  if (text.size() - pos < word.size()) {
    return false;
  }
  for (size_t i = 0; i < word.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[pos + i])) != word[i]) {
      return false;
    }
  }
  pos += word.size();
  return true;
}

// Digits up to a value of 1000 or more; digits counts what was taken.
bool ScanNumber(std::string_view text, size_t& pos, int& number, size_t& digits) {
  ScanBlanks(text, pos);
  size_t i = pos;
  int n = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && n < 1000) {
    n = n * 10 + (text[i] - '0');
    ++i;
  }
  if (i == pos) {
    return false;
  }
  digits = i - pos;
  pos = i;
  number = n;
  return true;
}

// -1 none, 0 AM, 12 PM.
int ScanHalfDay(std::string_view text, size_t& pos) {
  if (ScanWord(text, pos, "AM")) {
    return 0;
  }
  if (ScanWord(text, pos, "PM")) {
    return 12;
  }
  return -1;
}

}  // namespace

DateOrder DateOrderOf(std::string_view format) {
  for (char c : format) {
    switch (std::tolower(static_cast<unsigned char>(c))) {
      case 'd': return DateOrder::DayMonthYear;
      case 'y': return DateOrder::YearMonthDay;
      case 'm': return DateOrder::MonthDayYear;
      default: break;
    }
  }
  return DateOrder::MonthDayYear;
}

bool ScanDate(std::string_view text, size_t& pos, DateOrder order, char separator,
              int currentYear, TDate& date) {
  int n1 = 0, n2 = 0, n3 = 0;
  size_t len1 = 0, len2 = 0, len3 = 0;
  if (!(ScanNumber(text, pos, n1, len1) && ScanChar(text, pos, separator) &&
        ScanNumber(text, pos, n2, len2))) {
    return false;
  }
  int year = currentYear, month = 0, day = 0;
  if (ScanChar(text, pos, separator)) {
    if (!ScanNumber(text, pos, n3, len3)) {
      return false;
    }
    size_t yearDigits = 0;
    switch (order) {
      case DateOrder::MonthDayYear: year = n3; yearDigits = len3; month = n1; day = n2; break;
      case DateOrder::DayMonthYear: year = n3; yearDigits = len3; month = n2; day = n1; break;
      case DateOrder::YearMonthDay: year = n1; yearDigits = len1; month = n2; day = n3; break;
    }
    if (yearDigits <= 2) {
      int centuryBase = currentYear - 50;
      year += centuryBase / 100 * 100;
      if (year < centuryBase) {
        year += 100;
      }
    }
  } else if (order == DateOrder::DayMonthYear) {
    day = n1;
    month = n2;
  } else {
    month = n1;
    day = n2;
  }
  ScanChar(text, pos, separator);
  ScanBlanks(text, pos);
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
    return false;
  }
  TDate result{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
               std::chrono::day{static_cast<unsigned>(day)}};
  if (!result.ok()) {
    return false;
  }
  date = result;
  return true;
}

bool ScanTime(std::string_view text, size_t& pos, char timeSeparator, char decimalSeparator,
              TTime& time) {
  int halfDay = ScanHalfDay(text, pos);
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  size_t digits = 0;
  if (!ScanNumber(text, pos, hour, digits)) {
    return false;
  }
  if (ScanChar(text, pos, timeSeparator)) {
    if (!ScanNumber(text, pos, minute, digits)) {
      return false;
    }
    if (ScanChar(text, pos, timeSeparator)) {
      if (!ScanNumber(text, pos, second, digits)) {
        return false;
      }
      if (ScanChar(text, pos, decimalSeparator) &&
          !ScanNumber(text, pos, millisecond, digits)) {
        return false;
      }
    }
  }
  if (halfDay < 0) {
    halfDay = ScanHalfDay(text, pos);
  }
  if (halfDay >= 0) {
    if (hour == 0 || hour > 12) {
      return false;
    }
    hour = hour % 12 + halfDay;
  }
  ScanBlanks(text, pos);
  if (hour > 23 || minute > 59 || second > 59 || millisecond > 999) {
    return false;
  }
  time = std::chrono::hours{hour} + std::chrono::minutes{minute} +
         std::chrono::seconds{second} + std::chrono::milliseconds{millisecond};
  return true;
}
