#include "grid/CellTable.h"

#include <algorithm>
#include <stdexcept>

CellTable::CellTable(int colCount, int rowCount, int fixedCols, int fixedRows)
    : colCount_(std::max(colCount, 1)), fixedCols_(0), fixedRows_(0) {
  rows_.resize(std::max(rowCount, 1), std::vector<std::string>(colCount_));
  SetFixedCols(fixedCols);
  SetFixedRows(fixedRows);
}

void CellTable::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == colCount_) return;
  fixedCols_ = std::min(fixedCols_, count - 1);
  colCount_ = count;
  for (auto& row : rows_) row.resize(colCount_);
  NotifyShape();
}

void CellTable::SetRowCount(int count) {
  count = std::max(count, 1);
  if (count == RowCount()) return;
  fixedRows_ = std::min(fixedRows_, count - 1);
  rows_.resize(count, std::vector<std::string>(colCount_));
  NotifyShape();
}

void CellTable::SetFixedCols(int count) {
  if (count < 0 || count >= colCount_)
    throw std::out_of_range("Fixed column count must be less than column count");
  if (count == fixedCols_) return;
  fixedCols_ = count;
  NotifyShape();
}

void CellTable::SetFixedRows(int count) {
  if (count < 0 || count >= RowCount())
    throw std::out_of_range("Fixed row count must be less than row count");
  if (count == fixedRows_) return;
  fixedRows_ = count;
  NotifyShape();
}

const std::string& CellTable::Cell(int col, int row) const {
  static const std::string empty;
  if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount()) return empty;
  return rows_[row][col];
}

void CellTable::SetCell(int col, int row, std::string text) {
  CheckCell(col, row);
  if (rows_[row][col] == text) return;
  rows_[row][col] = std::move(text);
  if (observer_) observer_->CellChanged(col, row);
}

std::vector<std::string> CellTable::RowCells(int row) const {
  CheckRow(row);
  return rows_[row];
}

std::vector<std::string> CellTable::ColCells(int col) const {
  CheckCell(col, 0);
  std::vector<std::string> cells;
  cells.reserve(rows_.size());
  for (const auto& row : rows_) cells.push_back(row[col]);
  return cells;
}

void CellTable::SetRowCells(int row, const std::vector<std::string>& cells) {
  CheckRow(row);
  for (int col = 0; col < colCount_; ++col)
    SetCell(col, row, col < static_cast<int>(cells.size()) ? cells[col] : std::string());
}

void CellTable::ClearRow(int row) { SetRowCells(row, {}); }

void CellTable::ExchangeRows(int a, int b) {
  CheckRow(a);
  CheckRow(b);
  if (a == b) return;
  rows_[a].swap(rows_[b]);
  NotifyShape();
}

void CellTable::MoveRow(int from, int to) {
  CheckRow(from);
  CheckRow(to);
  if (from == to) return;
  auto first = rows_.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
  NotifyShape();
}

void CellTable::DeleteRow(int row) {
  CheckRow(row);
  if (RowCount() == 1) {
    ClearRow(row);
    return;
  }
  rows_.erase(rows_.begin() + row);
  fixedRows_ = std::min(fixedRows_, RowCount() - 1);
  NotifyShape();
}

void CellTable::CheckCell(int col, int row) const {
  if (col < 0 || col >= colCount_) throw std::out_of_range("Grid column index out of range");
  CheckRow(row);
}

void CellTable::CheckRow(int row) const {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("Grid row index out of range");
}

void CellTable::NotifyShape() {
  if (observer_) observer_->ShapeChanged();
}
