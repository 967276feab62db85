#include "grid/RowSort.h"

#include <gtest/gtest.h>

#include "TableRows.h"

namespace {

// Sorts a grid whose fixed column names each row ("r1" ...) by data column 1, and gives
// the rows in their new order, fixed cell and key: equal keys must come out in exactly
// this order.
Rows Sorted(const std::vector<std::string>& keys, bool ascending) {
  Rows data;
  for (const auto& key : keys) data.push_back({key});
  CellTable table = TableWithData(1, data);
  SortRowsByColumn(table, 1, ascending);
  return RowsOf(table, 1, 0);
}

TEST(RowSort, SortsDataRowsWithTheGridsOrderOfEqualKeys) {
  struct Case {
    const char* label;
    std::vector<std::string> keys;
    bool ascending;
    Rows expected;
  };
  const Case cases[] = {
      {"letters ascending", {"b", "A", "a", "C"}, true, {{"r3", "a"}, {"r2", "A"}, {"r1", "b"}, {"r4", "C"}}},
      {"letters descending", {"b", "A", "a", "C"}, false, {{"r4", "C"}, {"r1", "b"}, {"r2", "A"}, {"r3", "a"}}},
      {"words ascending",
       {"Nightly", "archive", "_tmp", "Zeta", "", "nightly"},
       true,
       {{"r5", ""}, {"r2", "archive"}, {"r6", "nightly"}, {"r1", "Nightly"}, {"r4", "Zeta"}, {"r3", "_tmp"}}},
      {"words descending",
       {"Nightly", "archive", "_tmp", "Zeta", "", "nightly"},
       false,
       {{"r3", "_tmp"}, {"r4", "Zeta"}, {"r1", "Nightly"}, {"r6", "nightly"}, {"r2", "archive"}, {"r5", ""}}},
      {"one data row", {"x"}, false, {{"r1", "x"}}},
      {"already sorted", {"a", "b", "c"}, true, {{"r1", "a"}, {"r2", "b"}, {"r3", "c"}}},
      {"all keys equal", {"k", "K", "k"}, true, {{"r3", "k"}, {"r2", "K"}, {"r1", "k"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Sorted(c.keys, c.ascending), c.expected) << c.label;
  }
}

TEST(RowSort, LeavesTitlesInPlaceAndMovesWholeRows) {
  CellTable table = TableWithData(2, {{"b", "x"}, {"a", "y"}});
  SortRowsByColumn(table, 1, true);
  EXPECT_EQ(RowsOf(table, 0, 0), (Rows{{"", "T1", "T2"}, {"r2", "a", "y"}, {"r1", "b", "x"}}));
}

TEST(RowSort, WithoutFixedRowsSortsEveryRow) {
  CellTable table(1, 3, 0, 0);
  table.SetCell(0, 0, "c");
  table.SetCell(0, 1, "a");
  table.SetCell(0, 2, "b");
  SortRowsByColumn(table, 0, true);
  EXPECT_EQ(RowsOf(table, 0, 0), (Rows{{"a"}, {"b"}, {"c"}}));
}

TEST(RowSort, RejectsAMissingColumn) {
  CellTable table = TableWithData(1, {{"b"}, {"a"}});
  EXPECT_THROW(SortRowsByColumn(table, 2, true), std::out_of_range);
  EXPECT_EQ(RowsOf(table, 1, 1), (Rows{{"b"}, {"a"}}));
}

TEST(CompareCellText, IgnoresLetterCaseOnlyAndPutsPrefixesFirst) {
  struct Case {
    const char* label;
    std::string a, b;
    int sign;
  };
  const Case cases[] = {
      {"case ignored", "abc", "ABC", 0},
      {"letters before underscore", "Z", "_", -1},
      {"lower-case letters before underscore", "z", "_", -1},
      {"digits before letters", "9", "a", -1},
      {"prefix first", "ab", "abc", -1},
      {"empty first", "", "a", -1},
      {"bytes above 127 after ASCII", "\xe9", "z", 1},
      {"accented letters keep their case", "\xe9", "\xc9", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    int result = CompareCellText(c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.label;
    int reverse = CompareCellText(c.b, c.a);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << c.label << " (reversed)";
  }
}

}  // namespace
