#include <gtest/gtest.h>

#include <cmath>

#include "base/Exceptions.h"
#include "base/FormatSettings.h"
#include "base/LocalClock.h"

namespace {

using namespace std::chrono;

// Each test starts from the start-up settings and leaves the process settings as it found them.
class FormatSettingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = ProcessFormatSettings();
    UseStartupDateSettings();
  }
  void TearDown() override { ProcessFormatSettings() = saved_; }

private:
  FormatSettings saved_;
};

TEST_F(FormatSettingsTest, StartupDateText) {
  EXPECT_EQ(DateToText(year{2004} / March / 5), "2004/03/05");
  EXPECT_EQ(TextToDate("2004/03/05"), year{2004} / March / 5);
}

TEST_F(FormatSettingsTest, DateTextFollowsTheSettings) {
  struct Case { const char* label; const char* format; char separator; const char* text; };
  const Case cases[] = {
      {"start-up", "yyyy/mm/dd", '/', "2004/03/05"},
      {"separator replaces /", "yyyy/mm/dd", '.', "2004.03.05"},
      {"day first, short numbers", "d/m/yyyy", '-', "5-3-2004"},
      {"month first, two-digit year", "mm/dd/yy", '/', "03/05/04"},
      {"quoted text", "yyyy'y'mm", '/', "2004y03"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ProcessFormatSettings().ShortDateFormat = c.format;
    ProcessFormatSettings().DateSeparator = c.separator;
    EXPECT_EQ(DateToText(year{2004} / March / 5), c.text) << c.label;
  }
}

TEST_F(FormatSettingsTest, TextToDateReadsInTheFormatsOrder) {
  const int thisYear = CurrentLocalYear();
  struct Case { const char* label; const char* format; const char* text; bool ok; year_month_day date; };
  const Case cases[] = {
      {"year first", "yyyy/mm/dd", "2004/03/05", true, year{2004} / March / 5},
      {"blanks and a trailing separator", "yyyy/mm/dd", " 2004 / 3 /5/ ", true, year{2004} / March / 5},
      {"day first", "dd/mm/yyyy", "05/03/2004", true, year{2004} / March / 5},
      {"month first", "m/d/yyyy", "03/05/2004", true, year{2004} / March / 5},
      {"without a year", "yyyy/mm/dd", "03/05", true, year{thisYear} / March / 5},
      {"no such day", "yyyy/mm/dd", "2004/02/30", false, {}},
      {"wrong separator", "yyyy/mm/dd", "2004-03-05", false, {}},
      {"trailing text", "yyyy/mm/dd", "2004/03/05x", false, {}},
      {"empty", "yyyy/mm/dd", "", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ProcessFormatSettings().ShortDateFormat = c.format;
    TDate date;
    EXPECT_EQ(TryTextToDate(c.text, date), c.ok) << c.label;
    if (c.ok) {
      EXPECT_EQ(date, c.date) << c.label;
    }
  }
}

TEST_F(FormatSettingsTest, TimesAndDateTimes) {
  EXPECT_EQ(TimeToText(hours{9} + minutes{5} + seconds{7}), "09:05:07");
  EXPECT_EQ(DateTimeToText(local_days{year{2004} / March / 5}), "2004/03/05");
  EXPECT_EQ(DateTimeToText(local_days{year{2004} / March / 5} + hours{13}), "2004/03/05 13:00:00");
  struct Case { const char* label; const char* text; bool ok; TTime time; };
  const Case cases[] = {
      {"full", "13:45:10", true, hours{13} + minutes{45} + seconds{10}},
      {"hour only", "7", true, hours{7}},
      {"milliseconds", "1:02:03.004", true, hours{1} + minutes{2} + seconds{3} + milliseconds{4}},
      {"pm after", "1:30 pm", true, hours{13} + minutes{30}},
      {"am before", "AM 12:15", true, minutes{15}},
      {"hour 13 with pm", "13:00 PM", false, {}},
      {"minute 60", "10:60", false, {}},
      {"hour 24", "24:00", false, {}},
      {"trailing text", "10:00x", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TTime time{};
    EXPECT_EQ(TryTextToTime(c.text, time), c.ok) << c.label;
    if (c.ok) {
      EXPECT_EQ(time, c.time) << c.label;
    }
  }
  EXPECT_EQ(TextToDateTime("2004/03/05 13:45:10"),
            local_days{year{2004} / March / 5} + hours{13} + minutes{45} + seconds{10});
  EXPECT_EQ(TextToDateTime("13:45"), local_days{DayZero} + hours{13} + minutes{45});
  EXPECT_THROW(TextToDateTime("2004/03/05 25:00"), EConvertError);
}

TEST_F(FormatSettingsTest, Reals) {
  struct Case { const char* label; double value; const char* text; };
  const Case cases[] = {
      {"zero", 0.0, "0"},
      {"whole", 15.0, "15"},
      {"fraction", 0.1, "0.1"},
      {"negative", -2.5, "-2.5"},
      {"fifteen digits", 1.0 / 3.0, "0.333333333333333"},
      {"small, plain", 0.00001, "0.00001"},
      {"smaller, exponent", 0.000001, "1E-6"},
      {"large, plain", 123456789012345.0, "123456789012345"},
      {"larger, exponent", 1.5e20, "1.5E20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(RealToText(c.value), c.text) << c.label;
    // Fifteen digits: the text reads back to within the last of them.
    EXPECT_NEAR(TextToReal(c.text), c.value, std::abs(c.value) * 1e-14) << c.label;
  }
  ProcessFormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(RealToText(2.5), "2,5");
  EXPECT_EQ(TextToReal(" 2,5e1 "), 25.0);
  EXPECT_THROW(TextToReal("2.5"), EConvertError);
  ProcessFormatSettings().DecimalSeparator = '.';
  const char* rejected[] = {"", "-", ".", "1e", "1e+", "1.5x", "inf", "nan", "1e999", "0x10"};
  for (const char* text : rejected) {
    SCOPED_TRACE(text);
    double value = 0;
    EXPECT_FALSE(TryTextToReal(text, value)) << text;
  }
  try {
    TextToReal("abc");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
  }
}

}  // namespace
