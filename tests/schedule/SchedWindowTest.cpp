#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QDropEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QToolButton>

#include "base/Exceptions.h"

#include "schedule/SchedWindowFixture.h"
#include "schedule/Timer.h"

namespace {

const char* const Today = "2004-03-20";  // the fixture clock's day

TEST_F(SchedWindowFixture, CreationReadsSettingsLoadsTheScheduleAndArmsTheTimer) {
  struct Case {
    const char* label;
    std::vector<std::string> schedule;  // empty: no schedule file
    bool timerEnabled;
    int rowCount;
  };
  const Case cases[] = {
      {"no schedule file", {}, false, 2},
      {"rows without codes", {"a\t/c/a.cfg\t", "b\t/c/b.cfg\t"}, false, 3},
      {"one row with a code", {"a\t/c/a.cfg\t", "b\t/c/b.cfg\td|1|2004-03-15"}, true, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::remove(dir.File("schedfile.dat").c_str());
    if (!c.schedule.empty()) WriteSchedule(c.schedule);
    TfrmSched& w = Create();
    EXPECT_EQ(w.edtInterval->text(), "60");
    EXPECT_EQ(w.edtStart->text(), "01");
    EXPECT_EQ(w.Timer1->Interval(), 3600000);
    EXPECT_EQ(w.Timer1->Enabled(), c.timerEnabled);
    EXPECT_EQ(w.Timer1->Ticking(), c.timerEnabled);
    EXPECT_EQ(Grid().RowCount(), c.rowCount);
    EXPECT_FALSE(Grid().Modified());
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(SchedWindowFixture, StoredGridProperties) {
  Create();
  EXPECT_EQ(window->windowTitle(), "Brenvoll Scheduler");
  EXPECT_EQ(Grid().ColCount(), 4);
  EXPECT_EQ(Grid().ColWidth(3), 3);
  EXPECT_EQ(Grid().NewRowOnKeyDown(), kdNever);
  EXPECT_EQ(Grid().About(), "TMFStringGrid v0.02");
  EXPECT_EQ(Grid().Options().Value(), 11487u);
}

TEST_F(SchedWindowFixture, IntervalThatDoesNotConvertIsReportedAndTheScheduleStillLoads) {
  WriteSettings("sixty", "01");
  WriteSchedule({"a\t/c/a.cfg\td|1|2004-03-15", "b\t/c/b.cfg\t"});
  TfrmSched& w = Create();
  EXPECT_EQ(errors, std::vector<std::string>{"'sixty' is not a valid integer value"});
  EXPECT_EQ(Grid().RowCount(), 3);
  EXPECT_FALSE(w.Timer1->Ticking());

  // Once the field is corrected, Save writes the schedule that was loaded, not an empty one.
  w.edtInterval->setText("60");
  w.SaveChanges1Click();
  EXPECT_EQ(ScheduleFile(), "a\t/c/a.cfg\td|1|2004-03-15\r\nb\t/c/b.cfg\t\r\n");
  EXPECT_TRUE(w.Timer1->Ticking());
}

TEST_F(SchedWindowFixture, SaveRefusesAnIntervalTooLongForTheTimer) {
  WriteSchedule({"a\t/c/a.cfg\td|1|2004-03-15"});
  TfrmSched& w = Create();
  w.AddRow1Click();
  w.edtInterval->setText("35792");
  EXPECT_THROW(w.SaveChanges1Click(), EConvertError);
  EXPECT_EQ(w.Timer1->Interval(), 3600000);
  EXPECT_TRUE(w.Timer1->Ticking());
  EXPECT_TRUE(Grid().Modified()) << "the grid is not saved";
  EXPECT_EQ(ScheduleFile(), "a\t/c/a.cfg\td|1|2004-03-15\r\n");
  EXPECT_NE(TempDir::Read(dir.File("Brenvoll.ini")).find("TimerInterval=35792"), std::string::npos)
      << "the settings are written before the interval is applied";
}

TEST_F(SchedWindowFixture, TickRunsThePassOnlyWithinTheStartHour) {
  struct Case {
    const char* label;
    const char* start;
    int hour;
    bool runs;
  };
  const Case cases[] = {
      {"default 01 at one", "01", 1, true},
      {"default 01 at two", "01", 2, false},
      {"0 at the hour after midnight", "0", 0, true},
      {"24 never matches", "24", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    WriteSchedule({"a\t/c/a.cfg\td|1|2004-03-15"});
    WriteSettings("60", c.start);
    Create();
    launcher.commandLines.clear();
    clock.hour = c.hour;
    emit window->Timer1->Timer();
    EXPECT_EQ(launcher.commandLines.size(), c.runs ? 1u : 0u);
    EXPECT_EQ(Code(1), c.runs ? "d|1|2004-03-20" : "d|1|2004-03-15");
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(SchedWindowFixture, StartTimeThatDoesNotConvertIsReportedAtEveryTickAndTestsNoRow) {
  WriteSchedule({"a\t/c/a.cfg\td|1|2004-03-15"});
  TfrmSched& w = Create();
  w.edtStart->setText("one");  // the field's current text counts, saved or not
  emit w.Timer1->Timer();
  emit w.Timer1->Timer();
  EXPECT_EQ(errors, (std::vector<std::string>(2, "'one' is not a valid integer value")));
  EXPECT_TRUE(launcher.commandLines.empty());
  EXPECT_TRUE(w.Timer1->Ticking());
}

TEST_F(SchedWindowFixture, HalfHourIntervalTicksTwiceInTheStartHour) {
  WriteSettings("30", "01");
  WriteSchedule({"daily\t/c/d.cfg\td|1|2004-03-19", "weekly 0\t/c/w.cfg\tw|0|2004-03-19"});
  TfrmSched& w = Create();
  EXPECT_EQ(w.Timer1->Interval(), 1800000);
  emit w.Timer1->Timer();  // 01:00
  emit w.Timer1->Timer();  // 01:30
  EXPECT_EQ(launcher.commandLines,
            (std::vector<std::string>{"/opt/brenvoll/Brenvoll.exe /c/d.cfg", "/opt/brenvoll/Brenvoll.exe /c/w.cfg",
                                      "/opt/brenvoll/Brenvoll.exe /c/w.cfg"}));
}

TEST_F(SchedWindowFixture, KindChoiceBuildsAndClearsTheCode) {
  WriteSchedule({"a\t/c/a.cfg\t"});
  TfrmSched& w = Create();
  SelectRow(1);
  w.Edit1->setText("2");
  struct Step {
    const char* label;
    int item;
    const char* code;
    bool everyShown;
    const char* unit;
  };
  const Step steps[] = {
      {"weekly on an empty code takes today", 2, "w|2|2004-03-20", true, "Week(s)"},
      {"daily keeps the date", 1, "d|2|2004-03-20", true, "Day(s)"},
      {"monthly", 3, "m|2|2004-03-20", true, "Month(s)"},
      {"as needed empties the code", 0, "", false, nullptr},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.label);
    ChooseKind(s.item);
    EXPECT_EQ(Code(1), s.code);
    EXPECT_EQ(w.Edit1->isVisibleTo(&w), s.everyShown);
    EXPECT_EQ(w.Label1->isVisibleTo(&w), s.everyShown);
    if (s.unit) {
      EXPECT_EQ(w.Label2->text(), s.unit);
    }
  }
  clock.today = Day(2004, 3, 21);
  ChooseKind(1);
  EXPECT_EQ(Code(1), "d|2|2004-03-21") << "after as needed the date is today's again";
  EXPECT_FALSE(Grid().Modified());
  EXPECT_FALSE(w.Timer1->Enabled()) << "a kind choice does not arm the timer";
}

TEST_F(SchedWindowFixture, EveryFieldCountGoesToTheRowLeftAndTheRowSelected) {
  WriteSchedule({"a\t/c/a.cfg\tw|1|2004-03-01", "b\t/c/b.cfg\tw|5|2004-03-02"});
  TfrmSched& w = Create();
  w.show();  // selects the kind of row 1
  w.Edit1->setText("3");
  QFocusEvent leave(QEvent::FocusOut);
  QApplication::sendEvent(w.Edit1, &leave);
  EXPECT_EQ(Code(1), "w|3|2004-03-01");
  SelectRow(2);
  EXPECT_EQ(Code(2), "w|3|2004-03-02");
  EXPECT_EQ(w.rgSchedItems->checkedId(), 2);
  w.hide();
}

TEST_F(SchedWindowFixture, ClickingThroughRowsKeepsKindAndDate) {
  WriteSchedule({"a\t/c/a.cfg\td|1|2004-03-01", "b\t/c/b.cfg\t", "c\t/c/c.cfg\tm|1|2004-02-29",
                 "x\t/c/x.cfg\tx|1|2004-03-15"});
  Create();
  for (int row : {1, 2, 3, 4, 1}) SelectRow(row);
  EXPECT_EQ(Code(1), "d|1|2004-03-01");
  EXPECT_EQ(Code(2), "");
  EXPECT_EQ(Code(3), "m|1|2004-02-29");
  EXPECT_EQ(Code(4), "") << "a kind letter other than d, w, m is lost on selection";
  EXPECT_FALSE(Grid().Modified());
}

TEST_F(SchedWindowFixture, ShowingReloadsTheFileSetsTitlesAndGivesRowOneTheCount) {
  WriteSchedule({"a\t/c/a.cfg\tw|3|2004-03-01", "b\t/c/b.cfg\t"});
  TfrmSched& w = Create();
  Grid().SetCell(DescriptionColumn, 2, "unsaved edit");
  w.show();
  EXPECT_EQ(Grid().Cell(1, 0), "Description");
  EXPECT_EQ(Grid().Cell(2, 0), "Config File");
  EXPECT_EQ(Grid().Cell(DescriptionColumn, 2), "b");
  EXPECT_EQ(Code(1), "w|1|2004-03-01");
  EXPECT_EQ(w.rgSchedItems->checkedId(), 2);
  EXPECT_FALSE(Grid().Modified());
  w.hide();
}

TEST_F(SchedWindowFixture, DroppedFilesFillTheLastConfigCellThenAddRows) {
  WriteSchedule({"a\t/c/a.cfg\t", "b\t\t"});
  Create();
  const std::string one = dir.Write("one.cfg", ""), two = dir.Write("two.cfg", "");
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QString::fromStdString(one)),
                 QUrl::fromLocalFile(QString::fromStdString(two))});
  const QPoint at(60, 40);
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QDragEnterEvent enter(at, actions, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Grid().viewport(), &enter);
  QDropEvent drop(at, actions, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Grid().viewport(), &drop);

  EXPECT_EQ(Grid().RowCount(), 4);
  EXPECT_EQ(Grid().Cell(ConfigFileColumn, 2), one);
  EXPECT_EQ(Grid().Cell(ConfigFileColumn, 3), two);
  EXPECT_EQ(Grid().Cell(DescriptionColumn, 3), "");
  EXPECT_FALSE(Grid().Modified());
}

TEST_F(SchedWindowFixture, ClosingAsksOnlyWhenModified) {
  struct Case {
    const char* label;
    bool modify;
    bool answerYes;
    bool saved;
  };
  const Case cases[] = {
      {"unchanged: no question", false, false, false},
      {"changed, Yes saves", true, true, true},
      {"changed, No keeps the changes in the grid", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    WriteSchedule({"a\t/c/a.cfg\t"});
    dialogs.messages.clear();
    TfrmSched& w = Create();
    w.show();
    if (c.modify) w.AddRow1Click();
    if (c.modify) dialogs.NextButton(c.answerYes ? DialogButton::Yes : DialogButton::No);
    w.Close1Click();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(dialogs.messages.size(), c.modify ? 1u : 0u);
    if (c.modify) {
      EXPECT_EQ(dialogs.messages[0].title, "Confirm");
      EXPECT_EQ(dialogs.messages[0].text, "Save changes?");
      EXPECT_EQ(dialogs.messages[0].buttons, (std::vector{DialogButton::Yes, DialogButton::No}));
    }
    EXPECT_EQ(ScheduleFile(), c.saved ? "a\t/c/a.cfg\t\r\n\t\t\r\n" : "a\t/c/a.cfg\t\r\n");
    EXPECT_EQ(Grid().RowCount(), c.modify ? 3 : 2);
  }
}

TEST_F(SchedWindowFixture, SaveWithoutCodesDisablesTheTimerUntilTheNextSave) {
  WriteSchedule({"a\t/c/a.cfg\td|1|2004-03-15"});
  TfrmSched& w = Create();
  ASSERT_TRUE(w.Timer1->Enabled());
  SelectRow(1);
  ChooseKind(0);
  w.SaveChanges1Click();
  EXPECT_FALSE(w.Timer1->Enabled());
  EXPECT_EQ(ScheduleFile(), "a\t/c/a.cfg\t\r\n");
  ChooseKind(1);
  EXPECT_FALSE(w.Timer1->Enabled());
  w.SaveChanges1Click();
  EXPECT_TRUE(w.Timer1->Enabled());
}

TEST_F(SchedWindowFixture, CompactRunsTheSelectedEntryWhateverItsDate) {
  struct Case {
    const char* label;
    const char* code;
    bool runs;
  };
  const Case cases[] = {
      {"as needed: nothing", "", false},
      {"daily that ran today runs again", "d|1|2004-03-20", true},
      {"monthly dated in the future", "m|1|2030-01-01", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    WriteSchedule({std::string("a\t/c/a.cfg\t") + c.code, "b\t/c/b.cfg\t"});
    TfrmSched& w = Create();
    launcher.commandLines.clear();
    Grid().SetRow(1);
    Grid().SetCell(DescriptionColumn, 2, "unsaved edit");
    Grid().SetModified(true);
    w.BitBtn7->click();
    EXPECT_EQ(launcher.commandLines.size(), c.runs ? 1u : 0u);
    if (c.runs) {
      EXPECT_EQ(Code(1).substr(Code(1).size() - 10), Today);
      EXPECT_EQ(ScheduleFile().find("unsaved edit\t/c/b.cfg") != std::string::npos, true)
          << "a run saves every row";
      EXPECT_FALSE(Grid().Modified());
    } else {
      EXPECT_TRUE(Grid().Modified());
    }
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(SchedWindowFixture, RowCommandsSetModifiedAndHelpAsksForTopic190) {
  TfrmSched& w = Create();
  w.AddRow1->trigger();
  EXPECT_EQ(Grid().RowCount(), 3);
  EXPECT_TRUE(Grid().Modified());
  Grid().SetModified(false);
  Grid().SetRow(1);
  w.BitBtn5->click();
  EXPECT_EQ(Grid().RowCount(), 2);
  EXPECT_TRUE(Grid().Modified());
  w.btnHelp->click();
  w.Sheduler1->trigger();
  EXPECT_EQ(help.requests, (std::vector<std::string>{"topic 190", "topic 190"}));
}

}  // namespace

namespace {

TEST_F(SchedWindowFixture, ModalShowingEndsWithCloseAndNotWithEscape) {
  TfrmSched& w = Create();
  bool escapeKeptItOpen = false;
  QTimer::singleShot(0, &w, [&] {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&w, &escape);
    escapeKeptItOpen = w.isVisible();
    w.Close1->trigger();
  });
  w.ShowModal();
  EXPECT_TRUE(escapeKeptItOpen);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(SchedWindowFixture, SaveThatFailsAtClosingKeepsTheWindowOpenWithItsChanges) {
  TfrmSched& w = Create();
  std::filesystem::create_directory(dir.File("schedfile.dat"));  // cannot be created as a file
  w.show();
  w.AddRow1Click();
  dialogs.NextButton(DialogButton::Yes);
  w.close();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("Cannot create file"), std::string::npos) << errors[0];
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(Grid().Modified());
  w.hide();
}

}  // namespace
