// One timer pass over a schedule of 10,000 entries, none of them due (each ran today),
// against the least any pass must do: read every code and find its two separators.
#include <benchmark/benchmark.h>

#include <string>

#include "grid/CellTable.h"
#include "profile/IsoDate.h"
#include "schedule/ScheduleEntry.h"
#include "schedule/ScheduleRun.h"

namespace {

constexpr int EntryCount = 10000;

CellTable ScheduleRanToday() {
  const std::string today = DateToIsoText(SystemScheduleClock().Today());
  const char kinds[] = {'d', 'w', 'm'};
  CellTable table(4, 1 + EntryCount, 1, 1);
  for (int row = 1; row <= EntryCount; ++row) {
    table.SetCell(DescriptionColumn, row, "Entry " + std::to_string(row));
    table.SetCell(ConfigFileColumn, row, "/srv/configs/entry" + std::to_string(row) + ".cfg");
    table.SetCell(CodeColumn, row, BuildScheduleCode(kinds[row % 3], "1", today));
  }
  return table;
}

class NoLauncher final : public CompactorLauncher {
public:
  bool RunAndWait(const std::string&) override { return true; }
};

void BM_TimerPassNothingDue(benchmark::State& state) {
  CellTable table = ScheduleRanToday();
  NoLauncher launcher;
  int runs = 0;
  const ScheduleRunContext context{[] { return std::string("/opt/Brenvoll.exe"); }, launcher,
                                   SystemScheduleClock(), [&runs] { ++runs; }};
  for (auto _ : state) RunSchedulePass(table, context);
  if (runs != 0) state.SkipWithError("an entry was due");
  state.SetItemsProcessed(state.iterations() * EntryCount);
}
BENCHMARK(BM_TimerPassNothingDue)->Unit(benchmark::kMicrosecond);

void BM_PeerReadCodesOnly(benchmark::State& state) {
  const CellTable table = ScheduleRanToday();
  for (auto _ : state) {
    size_t separators = 0;
    for (int row = 1; row < table.RowCount(); ++row) {
      const std::string& code = table.Cell(CodeColumn, row);
      const size_t first = code.find('|');
      separators += first + code.find('|', first + 1);
    }
    benchmark::DoNotOptimize(separators);
  }
  state.SetItemsProcessed(state.iterations() * EntryCount);
}
BENCHMARK(BM_PeerReadCodesOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
