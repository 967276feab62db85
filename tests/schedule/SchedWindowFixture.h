#pragma once
// A scheduler window over a temporary application directory, with a fixed clock, a
// recording launcher, scripted dialogs and recorded help requests and errors.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <memory>
#include <string>
#include <vector>

#include "grid/MFStringGrid.h"
#include "schedule/ScheduleEntry.h"
#include "schedule/ScheduleFakes.h"
#include "schedule/fSched.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

class SchedWindowFixture : public testing::Test {
protected:
  // The schedule file's lines, each "description\tconfig\tcode".
  void WriteSchedule(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    dir.Write("schedfile.dat", text);
  }
  void WriteSettings(const std::string& interval, const std::string& start) {
    dir.Write("Brenvoll.ini",
              "[Defaults]\r\nTimerInterval=" + interval + "\r\nStartTime=" + start + "\r\n");
  }
  std::string ScheduleFile() const { return TempDir::Read(dir.File("schedfile.dat")); }

  TfrmSched& Create() {
    window = std::make_unique<TfrmSched>(Host(), clock, launcher);
    return *window;
  }
  SchedulerHost Host() {
    return SchedulerHost{[this] { return dir.Path(); }, [this] { return compactor; },
                         [this](const std::function<void()>& handler) {
                           try {
                             handler();
                           } catch (const std::exception& e) {
                             errors.push_back(e.what());
                           }
                         }};
  }

  TMFStringGrid& Grid() { return *window->MFStringGrid1; }
  std::string Code(int row) { return Grid().Cell(CodeColumn, row); }
  // Moves the current cell, which the grid reports as a click.
  void SelectRow(int row) { Grid().SetRow(row); }
  void ChooseKind(int item) { window->rgSchedItems->button(item)->click(); }

  TempDir dir;
  FakeClock clock;
  RecordingLauncher launcher;
  ScriptedDialogs dialogs;
  RecordingHelp help;
  std::string compactor = "/opt/brenvoll/Brenvoll.exe";
  std::vector<std::string> errors;
  std::unique_ptr<TfrmSched> window;
};
