// Sorting and the schedule file at 10,000 rows, against std::sort on the same keys.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "grid/DelimitedRows.h"
#include "grid/MFStringGrid.h"
#include "grid/RowSort.h"

namespace {

constexpr int kRows = 10000;

// A schedule table (fixed column, description, configuration, code) in shuffled order.
CellTable ScheduleTable() {
  std::vector<int> order(kRows);
  for (int k = 0; k < kRows; ++k) order[size_t(k)] = k;
  std::shuffle(order.begin(), order.end(), std::mt19937(6));
  CellTable table(4, kRows + 1, 1, 1);
  const char* kinds[] = {"Nightly", "archive", "Monthly", "_tmp", "reports"};
  for (int row = 1; row <= kRows; ++row) {
    int n = order[size_t(row - 1)];
    table.SetCell(1, row, std::string(kinds[n % 5]) + " sales " + std::to_string(n));
    table.SetCell(2, row, "C:\\Configs\\config" + std::to_string(n) + ".cfg");
    table.SetCell(3, row, n % 3 ? "d|1|2004-03-15" : "");
  }
  return table;
}

void SortRows(benchmark::State& state) {
  const CellTable shuffled = ScheduleTable();
  for (auto _ : state) {
    CellTable table = shuffled;
    SortRowsByColumn(table, 1, true);
    benchmark::DoNotOptimize(table.Cell(1, 1));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(SortRows)->Unit(benchmark::kMillisecond);

// The peer: the same rows, copied the same way, sorted by std::sort with the same order.
void StdSortSameKeys(benchmark::State& state) {
  const CellTable table = ScheduleTable();
  std::vector<std::vector<std::string>> shuffled;
  for (int row = 1; row <= kRows; ++row) shuffled.push_back(table.RowCells(row));
  for (auto _ : state) {
    auto rows = shuffled;
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return CompareCellText(a[1], b[1]) < 0; });
    benchmark::DoNotOptimize(rows.front());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(StdSortSameKeys)->Unit(benchmark::kMillisecond);

// The grid's SortByColumn: busy cursor, painting off, one catch-up of the shown view.
void GridSortByColumn(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "grid_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  const CellTable shuffled = ScheduleTable();
  TMFStringGrid grid;
  grid.resize(537, 191);
  grid.show();
  for (auto _ : state) {
    state.PauseTiming();
    grid.SetRowCount(kRows + 1);
    for (int row = 1; row <= kRows; ++row) grid.Cells().SetRowCells(row, shuffled.RowCells(row));
    state.ResumeTiming();
    grid.SortByColumn(1, true);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(GridSortByColumn)->Unit(benchmark::kMillisecond);

// The schedule file written (atomically, flushed to disk) and read back.
void LoadSaveScheduleFile(benchmark::State& state) {
  const CellTable table = ScheduleTable();
  std::string file = (std::filesystem::temp_directory_path() / "grid_bench_schedfile.dat").string();
  CellTable loaded(4, 2, 1, 1);
  for (auto _ : state) {
    SaveRowsToDelimitedFile(table, file, '\t', false);
    LoadRowsFromDelimitedFile(loaded, file, '\t', false);
  }
  std::filesystem::remove(file);
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(LoadSaveScheduleFile)->Unit(benchmark::kMillisecond);

// The same without the file: building the text and parsing it.
void LoadSaveScheduleText(benchmark::State& state) {
  const CellTable table = ScheduleTable();
  CellTable loaded(4, 2, 1, 1);
  for (auto _ : state) LoadDelimitedRows(loaded, DelimitedRowsText(table, '\t', false), '\t', false);
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(LoadSaveScheduleText)->Unit(benchmark::kMillisecond);

}  // namespace
