#pragma once
// Sorting a table's data rows by the text of one column, the way the grid's title press
// does. The order of rows with equal keys is part of the result: users see it, so the
// partitioning below is fixed, not left to a library sort.

#include <string>

#include "grid/CellTable.h"

// Below zero, zero or above zero as a sorts before, with or after b: byte by byte with
// a to z taken as A to Z and every other byte by its code (no locale rules); of two texts
// where one is a prefix of the other, the shorter comes first.
int CompareCellText(const std::string& a, const std::string& b);

// Sorts the rows FixedRows to RowCount - 1 by column col (std::out_of_range when the table
// has no such column). Descending is the ascending result reversed, equal keys included.
// Rows are exchanged whole, fixed columns included.
void SortRowsByColumn(CellTable& table, int col, bool ascending);
