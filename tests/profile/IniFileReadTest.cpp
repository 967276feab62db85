// Reads of the profile store over fixture files: the profile semantics, limits, typed reads.
#include <gtest/gtest.h>

#include "base/FormatSettings.h"
#include "profile/IniFile.h"
#include "support/TempDir.h"

namespace {

std::string Fixture(const std::string& name) {
  return std::string(BRENVOLL_TEST_DATA) + "/profile/" + name;
}

TEST(IniFileRead, ProfileSemantics) {
  struct Case {
    const char* label;
    const char* file;
    const char* section;
    const char* key;
    const char* expected;  // the default is "<default>"
  };
  const Case cases[] = {
      {"names ignore letter case", "mixed.ini", "Defaults", "LastCfgPath", "C:\\cfg\\nightly.cfg"},
      {"blanks around key and value", "mixed.ini", "defaults", "TimerInterval", "15"},
      {"blanks around the asked names", "mixed.ini", " defaults ", " TimerInterval", "15"},
      {"empty value is not the default", "mixed.ini", "defaults", "Login", ""},
      {"double quotes removed, blanks inside kept", "mixed.ini", "defaults", "Quoted", "  spaced  "},
      {"one opening quote stays", "mixed.ini", "defaults", "HalfQuoted", "\"open"},
      {"single quotes removed", "mixed.ini", "defaults", "Single", "x"},
      {"mismatched quotes stay", "mixed.ini", "defaults", "Mismatched", "\"x'"},
      {"empty key name", "mixed.ini", "defaults", "", "empty name"},
      {"line without = is no key", "mixed.ini", "defaults", "NoEqualsLine", "<default>"},
      {"comment line is no key", "mixed.ini", "defaults", ";Commented", "<default>"},
      {"value holds = and ;", "mixed.ini", "defaults", "Formula", "a=b;c"},
      {"first duplicate key wins", "mixed.ini", "defaults", "Dup", "first"},
      {"line without ] belongs to the section before", "mixed.ini", "defaults", "AfterBroken",
       "still defaults"},
      {"[Broken is no section", "mixed.ini", "Broken", "AfterBroken", "<default>"},
      {"text after ] ignored", "mixed.ini", "Paths", "Access", "C:\\Office\\msaccess.exe"},
      {"blanks inside brackets trimmed", "mixed.ini", "Spaced", "Key", "v"},
      {"later duplicate section not searched", "mixed.ini", "defaults", "Second", "<default>"},
      {"missing key", "mixed.ini", "Paths", "Nothing", "<default>"},
      {"missing section", "mixed.ini", "Nowhere", "Access", "<default>"},
      {"key of another section", "mixed.ini", "Paths", "Login", "<default>"},
      {"LF-only lines", "lf-only.ini", "Other", "C", "3"},
      {"CR-only lines", "cr-only.ini", "Main", "B", "2"},
      {"byte-order mark skipped", "bom.ini", "Main", "A", "1"},
      {"missing file", "none.ini", "Main", "A", "<default>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TIniFile ini(Fixture(c.file));
    EXPECT_EQ(ini.ReadText(c.section, c.key, "<default>"), c.expected) << c.label;
  }
}

TEST(IniFileRead, EmptyFileNameGivesDefaults) {
  TIniFile ini("");
  EXPECT_EQ(ini.ReadText("Main", "A", "d"), "d");
  EXPECT_EQ(ini.ReadNumber("Main", "A", 7), 7);
  EXPECT_EQ(ReadLongValue("Main", "A", "d", ""), "d");
  std::vector<std::string> list{"stale"};
  ini.ListSections(list);
  EXPECT_TRUE(list.empty());
}

TEST(IniFileRead, ReadTextCutsAt2047AndReadLongValueAt32768) {
  TempDir dir;
  std::string medium(3000, 'm');
  std::string huge(40000, 'h');
  std::string path = dir.Write("long.ini", "[S]\r\nMedium=" + medium + "\r\nHuge=" + huge + "\r\n");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadText("S", "Medium", ""), medium.substr(0, 2047));
  EXPECT_EQ(ReadLongValue("S", "Medium", "", path), medium);
  EXPECT_EQ(ReadLongValue("S", "Huge", "", path), huge.substr(0, 32768));
}

TEST(IniFileRead, NumbersAndFlags) {
  struct Case {
    const char* label;
    const char* stored;
    int32_t number;  // ReadNumber with default -99
    bool flagIfDefaultFalse;
    bool flagIfDefaultTrue;
  };
  const Case cases[] = {
      {"one", "1", 1, true, true},
      {"two", "2", 2, true, true},
      {"minus one", "-1", -1, true, true},
      {"0x hexadecimal", "0x10", 16, true, true},
      {"0X hexadecimal", "0X1f", 31, true, true},
      {"dollar hexadecimal", "$ff", 255, true, true},
      {"32-bit pattern", "$FFFFFFFF", -1, true, true},
      {"zero", "0", 0, false, false},
      {"yes", "yes", -99, false, true},
      {"true", "true", -99, false, true},
      {"empty", "", -99, false, true},
      {"lone 0x", "0x", -99, false, true},
      {"trailing letter", "12a", -99, false, true},
      {"out of range", "2147483648", -99, false, true},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TIniFile ini(dir.Write("n.ini", std::string("[S]\r\nK=") + c.stored + "\r\n"));
    EXPECT_EQ(ini.ReadNumber("S", "K", -99), c.number) << c.label;
    EXPECT_EQ(ini.ReadFlag("S", "K", false), c.flagIfDefaultFalse) << c.label;
    EXPECT_EQ(ini.ReadFlag("S", "K", true), c.flagIfDefaultTrue) << c.label;
  }
}

TEST(IniFileRead, ListsNamesInFileOrder) {
  TIniFile ini(Fixture("mixed.ini"));
  std::vector<std::string> list{"stale"};
  ini.ListSections(list);
  EXPECT_EQ(list, (std::vector<std::string>{"defaults", "Paths", "Spaced", "DEFAULTS"}));
  ini.ListKeys("DEFAULTS", list);
  EXPECT_EQ(list, (std::vector<std::string>{"LASTCFGPATH", "TimerInterval", "Login", "Quoted",
                                            "HalfQuoted", "Single", "Mismatched", "", "Formula",
                                            "Dup", "Dup", "AfterBroken"}));
  ini.ListKeys("Nowhere", list);
  EXPECT_TRUE(list.empty());
}

TEST(IniFileRead, ListKeyValuesMergesIntoTheList) {
  TIniFile ini(Fixture("mixed.ini"));
  std::vector<std::string> list{"login=old", "Other=kept", "timerinterval=1"};
  ini.ListKeyValues("Paths", list);
  EXPECT_EQ(list, (std::vector<std::string>{"login=old", "Other=kept", "timerinterval=1",
                                            "Access=C:\\Office\\msaccess.exe"}));
  ini.ListKeyValues("defaults", list);
  // Login is empty in the file, so its entry goes; TimerInterval's entry is replaced.
  EXPECT_EQ(list[0], "Other=kept");
  EXPECT_EQ(list[1], "TimerInterval=15");
  EXPECT_EQ(std::count(list.begin(), list.end(), "Dup=first"), 1);
  EXPECT_EQ(std::count_if(list.begin(), list.end(),
                          [](const std::string& e) { return e.rfind("Login", 0) == 0; }),
            0);
}

TEST(IniFileRead, NameListsStopAt16384Characters) {
  TempDir dir;
  std::string file;
  for (int i = 0; i < 2000; ++i) {
    file += "[Section" + std::to_string(10000 + i) + "]\r\n";  // 12 characters each
  }
  TIniFile ini(dir.Write("many.ini", file));
  std::vector<std::string> list;
  ini.ListSections(list);
  EXPECT_EQ(list.size(), 16383u / 13u);
  EXPECT_EQ(list.back(), "Section" + std::to_string(10000 + list.size() - 1));
}

TEST(IniFileRead, TypedValuesUseTheProcessSettings) {
  FormatSettings saved = ProcessFormatSettings();
  UseStartupDateSettings();
  TempDir dir;
  TIniFile ini(dir.Write("t.ini",
                         "[S]\r\nDate=2004/03/05\r\nStamp=2004/03/05 13:45:10\r\nReal=2.5\r\n"
                         "Time=07:30:00\r\nBad=soon\r\nEmpty=\r\n"));
  using namespace std::chrono;
  const TDate fallback = DayZero;
  EXPECT_EQ(ini.ReadDateValue("S", "Date", fallback), year{2004} / March / 5);
  EXPECT_EQ(ini.ReadDateValue("S", "Bad", fallback), fallback);
  EXPECT_EQ(ini.ReadDateValue("S", "Empty", fallback), fallback);
  EXPECT_EQ(ini.ReadDateTimeValue("S", "Stamp", TDateTime{}),
            local_days{year{2004} / March / 5} + hours{13} + minutes{45} + seconds{10});
  EXPECT_EQ(ini.ReadRealValue("S", "Real", -1), 2.5);
  EXPECT_EQ(ini.ReadRealValue("S", "Bad", -1), -1);
  EXPECT_EQ(ini.ReadTimeValue("S", "Time", TTime{1}), hours{7} + minutes{30});
  EXPECT_EQ(ini.ReadTimeValue("S", "Bad", TTime{1}), TTime{1});
  ProcessFormatSettings() = saved;
}

}  // namespace
