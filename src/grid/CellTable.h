#pragma once
// The grid's table of text cells, with no window attached: a text cell at every column and
// row, fixed (title) rows and columns included. The delimited files, the schedule's run logic
// and their tests work on this table; the grid widget shows one.

#include <string>
#include <vector>

// Told about every change of a table, so that a view can follow it.
class CellTableObserver {
public:
  virtual ~CellTableObserver() = default;
  virtual void CellChanged(int col, int row) = 0;
  // Rows or columns were added, removed or reordered.
  virtual void ShapeChanged() = 0;
};

class CellTable {
public:
  // The platform grid's defaults: 5 by 5 cells, one fixed column and one fixed row.
  CellTable(int colCount = 5, int rowCount = 5, int fixedCols = 1, int fixedRows = 1);

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }

  // At least one column and one row remain; shrinking below the fixed ones leaves one
  // non-fixed column or row. New cells are empty.
  void SetColCount(int count);
  void SetRowCount(int count);
  // The fixed count must stay below the column (row) count: std::out_of_range otherwise.
  void SetFixedCols(int count);
  void SetFixedRows(int count);

  // The empty text outside the table.
  const std::string& Cell(int col, int row) const;
  // std::out_of_range outside the table.
  void SetCell(int col, int row, std::string text);

  // A row's cells (ColCount of them) and a column's cells (RowCount of them).
  std::vector<std::string> RowCells(int row) const;
  std::vector<std::string> ColCells(int col) const;
  void SetRowCells(int row, const std::vector<std::string>& cells);

  // Empties every cell of the row.
  void ClearRow(int row);
  // Swaps the texts of two rows in every column, fixed columns included.
  void ExchangeRows(int a, int b);
  // Takes the row out at from and puts it back at to; the rows between shift by one.
  void MoveRow(int from, int to);
  // Removes the row; the rows below move up. The last remaining row is only emptied.
  void DeleteRow(int row);

  // One observer at a time; nullptr detaches it.
  void SetObserver(CellTableObserver* observer) { observer_ = observer; }

private:
  void CheckCell(int col, int row) const;
  void CheckRow(int row) const;
  void NotifyShape();

  int colCount_;
  int fixedCols_;
  int fixedRows_;
  std::vector<std::vector<std::string>> rows_;  // rows_[row][col]
  CellTableObserver* observer_ = nullptr;
};
