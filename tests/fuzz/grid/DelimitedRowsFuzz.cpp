// Loads arbitrary bytes as a delimited row file, saves the table and loads the result
// again: no read outside the input, and the line structure survives the round trip.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "grid/DelimitedRows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the delimiter, the title line and the table's shape.
  const uint8_t choice = data[0];
  const char delimiter = (choice & 1) ? ',' : '\t';
  const bool withTitles = (choice & 2) != 0;
  const int fixedCols = (choice >> 2) & 1;
  const int fixedRows = (choice >> 3) & 1;
  const int colCount = fixedCols + 1 + ((choice >> 4) & 3);
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  CellTable table(colCount, fixedRows + 1, fixedCols, fixedRows);
  LoadDelimitedRows(table, text, delimiter, withTitles);
  const int rows = table.RowCount();
  if (rows < table.FixedRows() + 1) __builtin_trap();

  CellTable again(colCount, fixedRows + 1, fixedCols, fixedRows);
  LoadDelimitedRows(again, DelimitedRowsText(table, delimiter, withTitles), delimiter, withTitles);
  if (again.RowCount() != rows) __builtin_trap();
  return 0;
}
