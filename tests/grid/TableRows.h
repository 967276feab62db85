#pragma once
// Builds and reads cell tables row by row, for the table-driven grid tests.
#include <algorithm>
#include <string>
#include <vector>

#include "grid/CellTable.h"

using Rows = std::vector<std::vector<std::string>>;

// A table with one fixed column and one fixed row (the title row "T1", "T2", ...), and
// one data row per entry of data; each data row's fixed cell names the row ("r1", "r2"...).
inline CellTable TableWithData(int dataCols, const Rows& data) {
  // A table always has a data row; an empty data list gives one empty row.
  CellTable table(dataCols + 1, std::max(int(data.size()), 1) + 1, 1, 1);
  for (int col = 1; col <= dataCols; ++col) table.SetCell(col, 0, "T" + std::to_string(col));
  for (size_t row = 0; row < data.size(); ++row) {
    table.SetCell(0, int(row) + 1, "r" + std::to_string(row + 1));
    for (size_t col = 0; col < data[row].size(); ++col) table.SetCell(int(col) + 1, int(row) + 1, data[row][col]);
  }
  return table;
}

// The cells of rows first.., columns firstCol.. of a table.
inline Rows RowsOf(const CellTable& table, int firstRow, int firstCol) {
  Rows rows;
  for (int row = firstRow; row < table.RowCount(); ++row) {
    std::vector<std::string> cells;
    for (int col = firstCol; col < table.ColCount(); ++col) cells.push_back(table.Cell(col, row));
    rows.push_back(cells);
  }
  return rows;
}
