#pragma once
// Running schedule entries: the run of one entry when it is due (or whenever it has a
// code, when forced), and the timer pass over the whole table. A run starts the compactor
// with the entry's configuration, waits for it, and when it could be started records the
// day of the run in the entry's code and saves the whole table.
//
// Runs on the interface thread and blocks it while the compactor runs; not for a signal
// handler. Conversion errors are raised to the caller and end a pass at that entry.

#include <functional>
#include <string>

#include "schedule/ScheduleSeams.h"

class CellTable;

struct ScheduleRunContext {
  // The compactor path of this moment (the main window's field).
  std::function<std::string()> compactorPath;
  CompactorLauncher& launcher;
  const ScheduleClock& clock;
  // Writes the whole table to the schedule file and clears the grid's Modified flag;
  // raises when the file cannot be written (then the flag stays set).
  std::function<void()> saveTable;
};

// The run of the entry in `row`. Nothing for an empty code. The count (field 1) must be a
// whole number, for every kind: EConvertError "'%s' is not a valid integer value"
// otherwise. The last run is day zero when forced or when field 2 is no date. When due,
// runs "<compactor path> <config file>", both unchanged; when it could be started, the
// code becomes kind|count|today (the day the run began) and the table is saved.
// Returns true when the compactor ran.
bool RunEntryIfDue(CellTable& table, int row, bool forced, const ScheduleRunContext& context);

// Every data row with a code, in table order, each tested only after the previous run ended.
void RunSchedulePass(CellTable& table, const ScheduleRunContext& context);

