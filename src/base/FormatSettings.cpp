#include "base/FormatSettings.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/DateScan.h"
#include "base/Exceptions.h"
#include "base/LocalClock.h"

namespace {

struct DateTimeParts {
  int year = 0, month = 0, day = 0;
  long long hour = 0, minute = 0, second = 0, millisecond = 0;
};

DateTimeParts PartsOf(TDate date, TTime time) {
  DateTimeParts p;
  p.year = static_cast<int>(date.year());
  p.month = static_cast<int>(static_cast<unsigned>(date.month()));
  p.day = static_cast<int>(static_cast<unsigned>(date.day()));
  long long ms = time.count();
  p.hour = ms / 3600000;
  p.minute = ms / 60000 % 60;
  p.second = ms / 1000 % 60;
  p.millisecond = ms % 1000;
  return p;
}

void AppendNumber(std::string& out, long long value, size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) {
    out.append(width - digits.size(), '0');
  }
  out += digits;
}

// Expands a date or time pattern (see FormatSettings); unknown letters stand as they are.
std::string Expand(const std::string& pattern, const DateTimeParts& p) {
  const FormatSettings& settings = ProcessFormatSettings();
  std::string out;
  bool afterHour = false;
  size_t i = 0;
  while (i < pattern.size()) {
    char c = pattern[i];
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '"' || c == '\'') {
      size_t close = pattern.find(c, i + 1);
      size_t end = close == std::string::npos ? pattern.size() : close;
      out.append(pattern, i + 1, end - i - 1);
      i = end == pattern.size() ? end : end + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < pattern.size() &&
           std::tolower(static_cast<unsigned char>(pattern[i + run])) == lower) {
      ++run;
    }
    switch (lower) {
      case 'y':
        if (run <= 2) {
          AppendNumber(out, p.year % 100, 2);
        } else {
          AppendNumber(out, p.year, 4);
        }
        break;
      case 'm':
        if (afterHour) {
          AppendNumber(out, p.minute, run >= 2 ? 2 : 1);
        } else {
          AppendNumber(out, p.month, run >= 2 ? 2 : 1);
        }
        break;
      case 'd': AppendNumber(out, p.day, run >= 2 ? 2 : 1); break;
      case 'h': AppendNumber(out, p.hour, run >= 2 ? 2 : 1); break;
      case 'n': AppendNumber(out, p.minute, run >= 2 ? 2 : 1); break;
      case 's': AppendNumber(out, p.second, run >= 2 ? 2 : 1); break;
      case 'z': AppendNumber(out, p.millisecond, run >= 3 ? 3 : 1); break;
      case '/': out.append(run, settings.DateSeparator); break;
      case ':': out.append(run, settings.TimeSeparator); break;
      default: out.append(pattern, i, run); break;
    }
    if (lower == 'h') {
      afterHour = true;
    } else if (std::isalpha(static_cast<unsigned char>(lower))) {
      afterHour = false;
    }
    i += run;
  }
  return out;
}

TDate DateOf(TDateTime dateTime) {
  return TDate{std::chrono::floor<std::chrono::days>(dateTime)};
}

TTime TimeOf(TDateTime dateTime) {
  return dateTime - std::chrono::floor<std::chrono::days>(dateTime);
}

TDateTime Combine(TDate date, TTime time) {
  return std::chrono::local_days{date} + time;
}

bool ScanProcessDate(std::string_view text, size_t& pos, TDate& date) {
  const FormatSettings& settings = ProcessFormatSettings();
  return ScanDate(text, pos, DateOrderOf(settings.ShortDateFormat), settings.DateSeparator,
                  CurrentLocalYear(), date);
}

bool ScanProcessTime(std::string_view text, size_t& pos, TTime& time) {
  const FormatSettings& settings = ProcessFormatSettings();
  return ScanTime(text, pos, settings.TimeSeparator, settings.DecimalSeparator, time);
}

}  // namespace

FormatSettings& ProcessFormatSettings() {
  static FormatSettings settings;
  return settings;
}

void UseStartupDateSettings() {
  ProcessFormatSettings().ShortDateFormat = "yyyy/mm/dd";
  ProcessFormatSettings().DateSeparator = '/';
}

std::string DateToText(TDate date) {
  return Expand(ProcessFormatSettings().ShortDateFormat, PartsOf(date, TTime{0}));
}

bool TryTextToDate(const std::string& text, TDate& date) {
  size_t pos = 0;
  TDate scanned;
  if (!ScanProcessDate(text, pos, scanned) || pos != text.size()) {
    return false;
  }
  date = scanned;
  return true;
}

TDate TextToDate(const std::string& text) {
  TDate date;
  if (!TryTextToDate(text, date)) {
    throw EConvertError(Format("'%s' is not a valid date", text));
  }
  return date;
}

std::string TimeToText(TTime time) {
  return Expand(ProcessFormatSettings().LongTimeFormat, PartsOf(DayZero, time));
}

bool TryTextToTime(const std::string& text, TTime& time) {
  size_t pos = 0;
  TTime scanned{};
  if (!ScanProcessTime(text, pos, scanned) || pos != text.size()) {
    return false;
  }
  time = scanned;
  return true;
}

TTime TextToTime(const std::string& text) {
  TTime time{};
  if (!TryTextToTime(text, time)) {
    throw EConvertError(Format("'%s' is not a valid time", text));
  }
  return time;
}

std::string DateTimeToText(TDateTime dateTime) {
  std::string text = DateToText(DateOf(dateTime));
  TTime time = TimeOf(dateTime);
  if (time.count() != 0) {
    text += ' ';
    text += TimeToText(time);
  }
  return text;
}

bool TryTextToDateTime(const std::string& text, TDateTime& dateTime) {
  size_t pos = 0;
  TDate date;
  TTime time{0};
  if (ScanProcessDate(text, pos, date) &&
      (pos == text.size() || (ScanProcessTime(text, pos, time) && pos == text.size()))) {
    dateTime = Combine(date, time);
    return true;
  }
  if (TryTextToTime(text, time)) {
    dateTime = Combine(DayZero, time);
    return true;
  }
  return false;
}

TDateTime TextToDateTime(const std::string& text) {
  TDateTime dateTime;
  if (!TryTextToDateTime(text, dateTime)) {
    throw EConvertError(Format("'%s' is not a valid date and time", text));
  }
  return dateTime;
}

std::string RealToText(double value) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  if (value == 0) {
    return "0";
  }
  // The 15 significant digits and the decimal exponent of the value.
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  std::string scientific = buffer;
  size_t e = scientific.find('e');
  int exponent = std::stoi(scientific.substr(e + 1));
  std::string digits;
  for (size_t i = 0; i < e; ++i) {
    if (std::isdigit(static_cast<unsigned char>(scientific[i]))) {
      digits += scientific[i];
    }
  }
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
  }
  std::string text = value < 0 ? "-" : "";
  char point = ProcessFormatSettings().DecimalSeparator;
  if (exponent >= 15 || exponent < -5) {
    text += digits[0];
    if (digits.size() > 1) {
      text += point;
      text.append(digits, 1);
    }
    text += 'E';
    text += std::to_string(exponent);
  } else if (exponent < 0) {
    text += '0';
    text += point;
    text.append(static_cast<size_t>(-exponent - 1), '0');
    text += digits;
  } else {
    size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      text += digits;
      text.append(whole - digits.size(), '0');
    } else {
      text.append(digits, 0, whole);
      text += point;
      text.append(digits, whole);
    }
  }
  return text;
}

bool TryTextToReal(const std::string& text, double& value) {
  // Rewritten into the plain form the standard reader takes: sign, digits, ".", "e".
  char point = ProcessFormatSettings().DecimalSeparator;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && text[i] == ' ') {
      ++i;
    }
  };
  auto takeDigits = [&](std::string& out) {
    size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      out += text[i++];
    }
    return i > start;
  };
  std::string plain;
  skipBlanks();
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i++] == '-';
  }
  bool whole = takeDigits(plain);
  bool fraction = false;
  if (i < text.size() && text[i] == point) {
    ++i;
    plain += '.';
    fraction = takeDigits(plain);
  }
  if (!whole && !fraction) {
    return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    plain += 'e';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      plain += text[i++];
    }
    if (!takeDigits(plain)) {
      return false;
    }
  }
  skipBlanks();
  if (i != text.size()) {
    return false;
  }
  double parsed = 0;
  auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(parsed)) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

double TextToReal(const std::string& text) {
  double value = 0;
  if (!TryTextToReal(text, value)) {
    throw EConvertError(Format("'%s' is not a valid floating point value", text));
  }
  return value;
}
