#include "grid/RowSort.h"

#include <algorithm>
#include <stdexcept>

namespace {

unsigned char SortByte(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte;
}

// Hoare partitioning around the key of the middle row, recursing into the left part and
// looping over the right one.
void QuickSortRows(CellTable& table, int col, int left, int right) {
  do {
    int i = left;
    int j = right;
    const std::string pivot = table.Cell(col, (left + right) / 2);
    do {
      while (CompareCellText(table.Cell(col, i), pivot) < 0) ++i;
      while (CompareCellText(table.Cell(col, j), pivot) > 0) --j;
      if (i <= j) {
        if (i != j) table.ExchangeRows(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSortRows(table, col, left, j);
    left = i;
  } while (left < right);
}

void ReverseRows(CellTable& table, int first, int last) {
  for (; first < last; ++first, --last) table.ExchangeRows(first, last);
}

}  // namespace

int CompareCellText(const std::string& a, const std::string& b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t k = 0; k < common; ++k) {
    int difference = SortByte(a[k]) - SortByte(b[k]);
    if (difference != 0) return difference;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void SortRowsByColumn(CellTable& table, int col, bool ascending) {
  if (col < 0 || col >= table.ColCount()) throw std::out_of_range("Grid column index out of range");
  int first = table.FixedRows();
  int last = table.RowCount() - 1;
  if (first < last) QuickSortRows(table, col, first, last);
  if (!ascending) ReverseRows(table, first, last);
}
