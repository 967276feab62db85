#include "schedule/ScheduleEntry.h"

#include <chrono>

#include "grid/CellTable.h"

namespace {

using namespace std::chrono;

// The calendar's ends; weekly sums beyond them are held there.
constexpr sys_days FirstDay{year_month_day{year::min(), January, day{1}}};
constexpr sys_days LastDay{year_month_day{year::max(), December, day{31}}};

TDate AddDays(TDate date, int64_t count) {
  // The sum is formed in 64 bits: 7 x count days from any count fits.
  const int64_t target = sys_days{date}.time_since_epoch().count() + count;
  if (target < FirstDay.time_since_epoch().count()) return TDate{FirstDay};
  if (target > LastDay.time_since_epoch().count()) return TDate{LastDay};
  return TDate{sys_days{days{target}}};
}

TDate AddOneMonth(TDate date) {
  const TDate next = date + months{1};
  if (next.ok()) return next;
  // A shorter month: its last day.
  return TDate{year_month_day_last{next.year(), month_day_last{next.month()}}};
}

}  // namespace

ScheduleEntry EntryOfRow(const CellTable& table, int row) {
  return ScheduleEntry{table.Cell(DescriptionColumn, row), table.Cell(ConfigFileColumn, row),
                       table.Cell(CodeColumn, row)};
}

char ScheduleKind(const std::string& code) { return code.empty() ? '\0' : code.front(); }

std::string BuildScheduleCode(char kind, const std::string& count, const std::string& date) {
  std::string code(1, kind);
  code += '|';
  code += count;
  code += '|';
  code += date;
  return code;
}

TDate NextDueDate(char kind, int32_t count, TDate last) {
  switch (kind) {
    case 'd':
      return AddDays(last, 1);
    case 'w':
      return AddDays(last, int64_t{7} * count);
    case 'm':
      return AddOneMonth(last);
    default:
      return last;
  }
}

bool IsDue(char kind, int32_t count, TDate last, TDate today) {
  return sys_days{today} >= sys_days{NextDueDate(kind, count, last)};
}
