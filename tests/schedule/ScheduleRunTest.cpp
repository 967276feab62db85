#include "schedule/ScheduleRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "grid/CellTable.h"
#include "schedule/ScheduleEntry.h"
#include "schedule/ScheduleFakes.h"

namespace {

const char* const Compactor = "/opt/brenvoll/Brenvoll.exe";

// A schedule table as the scheduler window holds it: four columns, column 0 and row 0 fixed.
class ScheduleRunFixture : public testing::Test {
protected:
  void SetRows(const std::vector<ScheduleEntry>& entries) {
    table.SetRowCount(1 + static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
      const int row = 1 + static_cast<int>(i);
      table.SetCell(DescriptionColumn, row, entries[i].Description);
      table.SetCell(ConfigFileColumn, row, entries[i].ConfigFile);
      table.SetCell(CodeColumn, row, entries[i].Code);
    }
  }
  std::string Code(int row) const { return table.Cell(CodeColumn, row); }

  CellTable table{4, 2, 1, 1};
  FakeClock clock;
  RecordingLauncher launcher;
  // What each save found: the codes of every data row.
  std::vector<std::vector<std::string>> saves;
  ScheduleRunContext context{
      [] { return std::string(Compactor); }, launcher, clock, [this] {
        std::vector<std::string> codes;
        for (int row = 1; row < table.RowCount(); ++row) codes.push_back(Code(row));
        saves.push_back(codes);
      }};
};

TEST_F(ScheduleRunFixture, RunsWhenDueAndRecordsTheDay) {
  struct Case {
    const char* label;
    const char* code;
    const char* config;
    bool forced;
    TDate today;
    const char* commandLine;  // nullptr: the compactor is not started
    const char* codeAfter;
  };
  const Case cases[] = {
      {"daily, not yet due", "d|5|2004-03-15", "/c/a.cfg", false, Day(2004, 3, 15), nullptr, "d|5|2004-03-15"},
      {"daily, one day later", "d|5|2004-03-15", "/c/a.cfg", false, Day(2004, 3, 16),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "d|5|2004-03-16"},
      {"weekly 2, a day early", "w|2|2004-03-15", "/c/a.cfg", false, Day(2004, 3, 28), nullptr, "w|2|2004-03-15"},
      {"weekly 2, on the day", "w|2|2004-03-15", "/c/a.cfg", false, Day(2004, 3, 29),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "w|2|2004-03-29"},
      {"weekly 0 after a run today", "w|0|2004-03-20", "/c/a.cfg", false, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "w|0|2004-03-20"},
      {"monthly, leap February", "m|3|2004-01-31", "/c/a.cfg", false, Day(2004, 2, 29),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "m|3|2004-02-29"},
      {"other kind letter, on its date", "x|1|2004-03-15", "/c/a.cfg", false, Day(2004, 3, 15),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "x|1|2004-03-15"},
      {"missing date: due at once", "d|1|", "/c/a.cfg", false, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "d|1|2004-03-20"},
      {"unreadable date: due at once", "d|1|2004-13-45", "/c/a.cfg", false, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "d|1|2004-03-20"},
      {"two-digit year placed by the clock's year", "d|1|79-03-20", "/c/a.cfg", false, Day(2079, 3, 20),
       nullptr, "d|1|79-03-20"},
      {"count written back in decimal", "w|01|2004-03-01", "/c/a.cfg", false, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "w|1|2004-03-20"},
      {"hexadecimal count", "d|$A|2004-03-01", "/c/a.cfg", false, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "d|10|2004-03-20"},
      {"forced, ran yesterday", "w|007|2004-03-19", "/c/a.cfg", true, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "w|7|2004-03-20"},
      {"forced, date in the future", "m|1|2030-01-01", "/c/a.cfg", true, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe /c/a.cfg", "m|1|2004-03-20"},
      {"forced weekly reaching beyond today from day zero", "w|10000|2004-03-19", "/c/a.cfg", true,
       Day(2004, 3, 20), nullptr, "w|10000|2004-03-19"},
      {"forced, empty code", "", "/c/a.cfg", true, Day(2004, 3, 20), nullptr, ""},
      {"empty config cell: line ends in one blank", "d|1|2004-03-01", "", false, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe ", "d|1|2004-03-20"},
      {"paths passed unchanged", "d|1|2004-03-01", "\"/c/my cfg.cfg\"", false, Day(2004, 3, 20),
       "/opt/brenvoll/Brenvoll.exe \"/c/my cfg.cfg\"", "d|1|2004-03-20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    SetRows({{"entry", c.config, c.code}});
    clock.today = c.today;
    launcher.commandLines.clear();
    saves.clear();

    const bool ran = RunEntryIfDue(table, 1, c.forced, context);

    EXPECT_EQ(Code(1), c.codeAfter);
    if (c.commandLine == nullptr) {
      EXPECT_FALSE(ran);
      EXPECT_TRUE(launcher.commandLines.empty());
      EXPECT_TRUE(saves.empty());
    } else {
      EXPECT_TRUE(ran);
      EXPECT_EQ(launcher.commandLines, std::vector<std::string>{c.commandLine});
      EXPECT_EQ(saves, std::vector<std::vector<std::string>>{{c.codeAfter}});
    }
  }
}

TEST_F(ScheduleRunFixture, CountThatIsNoWholeNumberRaisesBeforeAnyRun) {
  struct Case {
    const char* label;
    const char* code;
    bool forced;
    const char* message;
  };
  const Case cases[] = {
      {"empty count", "d||2004-03-15", false, "'' is not a valid integer value"},
      {"no separators", "d5", false, "'' is not a valid integer value"},
      {"a word", "d|one|2004-03-15", false, "'one' is not a valid integer value"},
      {"a word, forced", "m|one|2004-03-15", true, "'one' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    SetRows({{"entry", "/c/a.cfg", c.code}});
    try {
      RunEntryIfDue(table, 1, c.forced, context);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_TRUE(launcher.commandLines.empty());
    EXPECT_EQ(Code(1), c.code);
  }
}

TEST_F(ScheduleRunFixture, CompactorThatCannotStartRecordsNothing) {
  SetRows({{"entry", "/c/a.cfg", "d|1|2004-03-01"}});
  launcher.starts = false;
  EXPECT_FALSE(RunEntryIfDue(table, 1, false, context));
  EXPECT_EQ(launcher.commandLines.size(), 1u);
  EXPECT_EQ(Code(1), "d|1|2004-03-01");
  EXPECT_TRUE(saves.empty());
}

TEST_F(ScheduleRunFixture, FailedSaveKeepsTheNewCodeAndRaises) {
  SetRows({{"entry", "/c/a.cfg", "d|1|2004-03-01"}});
  context.saveTable = [] { throw EFCreateError("Cannot create file /x/schedfile.dat"); };
  EXPECT_THROW(RunEntryIfDue(table, 1, false, context), EFCreateError);
  EXPECT_EQ(Code(1), "d|1|2004-03-20");
}

TEST_F(ScheduleRunFixture, PassRunsDueRowsInOrderAndSavesEveryRow) {
  SetRows({{"a", "/c/a.cfg", "d|1|2004-03-01"},
           {"b", "/c/b.cfg", ""},
           {"c", "/c/c.cfg", "d|1|2004-03-20"},
           {"d", "/c/d.cfg", "w|1|2004-03-13"}});
  RunSchedulePass(table, context);
  EXPECT_EQ(launcher.commandLines,
            (std::vector<std::string>{"/opt/brenvoll/Brenvoll.exe /c/a.cfg",
                                      "/opt/brenvoll/Brenvoll.exe /c/d.cfg"}));
  // Each save writes the whole table as it stands, the other rows included.
  const std::vector<std::vector<std::string>> expected{
      {"d|1|2004-03-20", "", "d|1|2004-03-20", "w|1|2004-03-13"},
      {"d|1|2004-03-20", "", "d|1|2004-03-20", "w|1|2004-03-20"}};
  EXPECT_EQ(saves, expected);
}

TEST_F(ScheduleRunFixture, ConversionErrorEndsThePassAtThatEntry) {
  SetRows({{"a", "/c/a.cfg", "d|1|2004-03-01"},
           {"bad", "/c/bad.cfg", "d|one|2004-03-01"},
           {"c", "/c/c.cfg", "d|1|2004-03-01"}});
  EXPECT_THROW(RunSchedulePass(table, context), EConvertError);
  EXPECT_EQ(launcher.commandLines, std::vector<std::string>{"/opt/brenvoll/Brenvoll.exe /c/a.cfg"});
  EXPECT_EQ(Code(3), "d|1|2004-03-01");
}

TEST_F(ScheduleRunFixture, RunPastMidnightRecordsItsStartAndTheNextRowSeesTheNewDay) {
  SetRows({{"a", "/c/a.cfg", "d|1|2004-03-01"}, {"b", "/c/b.cfg", "d|1|2004-03-20"}});
  launcher.whileRunning = [this] {
    launcher.whileRunning = nullptr;
    clock.today = Day(2004, 3, 21);  // 23:50 turned into 00:20
  };
  RunSchedulePass(table, context);
  EXPECT_EQ(Code(1), "d|1|2004-03-20");
  EXPECT_EQ(Code(2), "d|1|2004-03-21");
  EXPECT_EQ(launcher.commandLines.size(), 2u);
}

}  // namespace
