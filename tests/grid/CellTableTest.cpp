#include "grid/CellTable.h"

#include <gtest/gtest.h>

#include "TableRows.h"

namespace {

TEST(CellTable, RowOperationsKeepEveryColumnTogether) {
  struct Case {
    const char* label;
    void (*operation)(CellTable&);
    Rows expected;  // fixed column and data column of every data row
  };
  const Case cases[] = {
      {"move down", [](CellTable& t) { t.MoveRow(1, 3); }, {{"r2", "b"}, {"r3", "c"}, {"r1", "a"}}},
      {"move up", [](CellTable& t) { t.MoveRow(3, 1); }, {{"r3", "c"}, {"r1", "a"}, {"r2", "b"}}},
      {"exchange", [](CellTable& t) { t.ExchangeRows(1, 3); }, {{"r3", "c"}, {"r2", "b"}, {"r1", "a"}}},
      {"delete", [](CellTable& t) { t.DeleteRow(2); }, {{"r1", "a"}, {"r3", "c"}}},
      {"clear", [](CellTable& t) { t.ClearRow(2); }, {{"r1", "a"}, {"", ""}, {"r3", "c"}}},
      {"grow", [](CellTable& t) { t.SetRowCount(5); }, {{"r1", "a"}, {"r2", "b"}, {"r3", "c"}, {"", ""}}},
      {"shrink", [](CellTable& t) { t.SetRowCount(2); }, {{"r1", "a"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CellTable table = TableWithData(1, {{"a"}, {"b"}, {"c"}});
    c.operation(table);
    EXPECT_EQ(RowsOf(table, 1, 0), c.expected) << c.label;
  }
}

TEST(CellTable, OutsideCellsReadEmptyAndRefuseWrites) {
  CellTable table(2, 2, 1, 1);
  EXPECT_EQ(table.Cell(5, 0), "");
  EXPECT_EQ(table.Cell(0, -1), "");
  EXPECT_THROW(table.SetCell(2, 0, "x"), std::out_of_range);
  EXPECT_THROW(table.MoveRow(0, 2), std::out_of_range);
  EXPECT_THROW(table.SetFixedRows(2), std::out_of_range);
}

TEST(CellTable, ShrinkingBelowTheFixedRowsKeepsOneRowFree) {
  CellTable table(3, 4, 1, 2);
  table.SetRowCount(2);
  EXPECT_EQ(table.FixedRows(), 1);
  table.SetRowCount(0);
  EXPECT_EQ(table.RowCount(), 1);
  EXPECT_EQ(table.FixedRows(), 0);
}

}  // namespace
