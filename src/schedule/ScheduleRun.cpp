#include "schedule/ScheduleRun.h"

#include <cstdint>
#include <exception>
#include <string>

#include "grid/CellTable.h"
#include "profile/IsoDate.h"
#include "profile/Numbers.h"
#include "profile/TextFields.h"
#include "schedule/ScheduleEntry.h"

namespace {

// The last run recorded in a code; an empty, missing or malformed date makes it day zero,
// so that the entry is due at once.
TDate LastRunDate(const std::string& code, int currentYear) {
  try {
    return IsoTextToDate(ExtractField(code, '|', 2), currentYear);
  } catch (const std::exception&) {
    return DayZero;
  }
}

}  // namespace

bool RunEntryIfDue(CellTable& table, int row, bool forced, const ScheduleRunContext& context) {
  const ScheduleEntry entry = EntryOfRow(table, row);
  if (entry.Code.empty()) return false;

  const char kind = ScheduleKind(entry.Code);
  const int32_t count = TextToInt(ExtractField(entry.Code, '|', 1));
  const TDate today = context.clock.Today();
  const TDate last = forced ? DayZero : LastRunDate(entry.Code, int{today.year()});
  if (!IsDue(kind, count, last, today)) return false;

  // The day the run begins is recorded, also when the compactor ends after midnight.
  const TDate runDate = today;
  const std::string commandLine = context.compactorPath() + " " + entry.ConfigFile;
  if (!context.launcher.RunAndWait(commandLine)) return false;

  table.SetCell(CodeColumn, row,
                BuildScheduleCode(kind, std::to_string(count), DateToIsoText(runDate)));
  context.saveTable();
  return true;
}

void RunSchedulePass(CellTable& table, const ScheduleRunContext& context) {
  for (int row = table.FixedRows(); row < table.RowCount(); ++row) {
    if (!table.Cell(CodeColumn, row).empty()) RunEntryIfDue(table, row, false, context);
  }
}
