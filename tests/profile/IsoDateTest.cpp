#include <gtest/gtest.h>

#include "base/Exceptions.h"
#include "base/FormatSettings.h"
#include "profile/IsoDate.h"

namespace {

using namespace std::chrono;

TEST(IsoDate, DateToIsoText) {
  EXPECT_EQ(DateToIsoText(year{2004} / March / 5), "2004-03-05");
  EXPECT_EQ(DateToIsoText(year{9999} / December / 31), "9999-12-31");
  EXPECT_EQ(DateToIsoText(year{999} / January / 1), "0999-01-01");
  EXPECT_EQ(DateToIsoText(DayZero), "1899-12-30");
}

TEST(IsoDate, AcceptedTexts) {
  struct Case { const char* label; const char* text; year_month_day expected; };
  const Case cases[] = {
      {"plain", "2004-03-15", year{2004} / March / 15},
      {"single digits", "2004-3-5", year{2004} / March / 5},
      {"blanks before numbers and separators", " 2004 - 03 -  15", year{2004} / March / 15},
      {"trailing separator and blanks", "2004-03-15-  ", year{2004} / March / 15},
      {"leading zero on the year", "02004-03-15", year{2004} / March / 15},
      {"leap day", "2004-02-29", year{2004} / February / 29},
      {"two-digit year this century", "04-03-15", year{2004} / March / 15},
      {"two-digit year last century", "80-03-15", year{1980} / March / 15},
      {"first year of the window", "74-01-01", year{1974} / January / 1},
      {"last year of the window", "73-12-31", year{2073} / December / 31},
      {"three-digit year as it stands", "004-01-01", year{4} / January / 1},
      {"month and day of the current year", "03-15", year{2024} / March / 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(IsoTextToDate(c.text, 2024), c.expected) << c.label;
  }
}

TEST(IsoDate, RejectedTextsLeaveTheSettingsAlone) {
  UseStartupDateSettings();
  const FormatSettings before = ProcessFormatSettings();
  const char* cases[] = {"2004-03-15x", "2004/03/15", "2004-02-30", "2004-13-01", "0000-01-01",
                         "20040-03-15", "", "2003-02-29", "2004-03", "2004--03-15",
                         "2004-03-15--", "-2004-03-15", "2004-00-10", "2004-03-00"};
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    try {
      IsoTextToDate(text, 2024);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid date");
    }
    EXPECT_EQ(DateToIsoText(year{2004} / March / 5), "2004-03-05");
    EXPECT_EQ(DateToText(year{2004} / March / 5), "2004/03/05");
    EXPECT_EQ(ProcessFormatSettings().ShortDateFormat, before.ShortDateFormat);
    EXPECT_EQ(ProcessFormatSettings().DateSeparator, before.DateSeparator);
  }
}

}  // namespace
