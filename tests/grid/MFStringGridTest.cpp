#include "grid/MFStringGrid.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "TableRows.h"
#include "support/TempDir.h"

namespace {

// A shown grid shaped like the schedule grid: a fixed column and row, three data columns,
// each data row named in its fixed cell ("r1" ...).
class GridTest : public ::testing::Test {
protected:
  void SetUp() override {
    grid.resize(500, 300);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
  }

  std::vector<std::string> Column(int col) {
    std::vector<std::string> cells;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) cells.push_back(grid.Cell(col, row));
    return cells;
  }
  void PressCell(int col, int row) {
    QPoint at = grid.visualRect(grid.model()->index(row, col)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
  }

  TMFStringGrid grid;
};

TEST_F(GridTest, ConstructorSetsTheComponentsDefaults) {
  EXPECT_EQ(grid.About(), "TMFStringGrid v1.01");
  EXPECT_EQ(grid.Options().Value(), 11487u);
  EXPECT_EQ(grid.NewRowOnKeyDown(), kdAlways);
  EXPECT_EQ(grid.SortOnTitleClick(), tcAscending);
  EXPECT_TRUE(grid.EOLToSpace());
  EXPECT_TRUE(grid.SortAscendingNext());
  EXPECT_FALSE(grid.Modified());
  EXPECT_NE(grid.InplaceEditor(), nullptr) << "the editor is always shown";
}

TEST_F(GridTest, TitlePressesSortAndFlipTheDirection) {
  enum Press { Title1, Title2, FixedTitle, DataCell };
  struct Case {
    const char* label;
    TOnTitleClick mode;
    std::vector<Press> presses;
    std::vector<std::string> expected;  // column 1, data rows in order
    bool modified;
  };
  const Case cases[] = {
      {"one press sorts ascending", tcAscending, {Title1}, {"a", "A", "b", "C"}, true},
      // Descending reverses the ascending sort of the rows as they stand: from a, A, b, C
      // that sort gives A, a, b, C.
      {"second press sorts descending", tcAscending, {Title1, Title1}, {"C", "b", "a", "A"}, true},
      {"third press ascending again", tcAscending, {Title1, Title1, Title1}, {"a", "A", "b", "C"}, true},
      {"another column's title sorts descending", tcAscending, {Title2, Title1}, {"C", "b", "a", "A"}, true},
      {"tcDescending sorts ascending first", tcDescending, {Title1}, {"a", "A", "b", "C"}, true},
      {"the fixed column's title sorts too", tcAscending, {FixedTitle}, {"C", "a", "A", "b"}, true},
      {"a data cell never sorts", tcAscending, {DataCell}, {"b", "A", "a", "C"}, false},
      {"tcNone never sorts", tcNone, {Title1}, {"b", "A", "a", "C"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TMFStringGrid fresh;
    fresh.resize(500, 300);
    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
    fresh.SetColCount(3);
    fresh.SetRowCount(5);
    // Column 2 holds keys in the reverse of column 1's order; the fixed column names rows.
    const char* keys[] = {"b", "A", "a", "C"};
    const char* others[] = {"4", "3", "2", "1"};
    for (int k = 0; k < 4; ++k) {
      fresh.SetCell(0, k + 1, others[k] + std::string("r"));
      fresh.SetCell(1, k + 1, keys[k]);
      fresh.SetCell(2, k + 1, others[k]);
    }
    fresh.SetSortOnTitleClick(c.mode);
    QHeaderView* header = fresh.horizontalHeader();
    for (Press press : c.presses) {
      if (press == DataCell) {
        QTest::mouseClick(fresh.viewport(), Qt::LeftButton, {}, fresh.visualRect(fresh.model()->index(2, 1)).center());
      } else if (press == FixedTitle) {
        auto* corner = fresh.findChild<QAbstractButton*>();
        ASSERT_NE(corner, nullptr);
        QTest::mouseClick(corner, Qt::LeftButton, {}, QPoint(2, 2));
      } else {
        int col = press == Title1 ? 1 : 2;
        QPoint at(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
      }
    }
    std::vector<std::string> column;
    for (int row = 1; row < fresh.RowCount(); ++row) column.push_back(fresh.Cell(1, row));
    EXPECT_EQ(column, c.expected) << c.label;
    EXPECT_EQ(fresh.Modified(), c.modified) << c.label;
  }
}

TEST_F(GridTest, WithoutFixedRowsNoPressSorts) {
  grid.SetColCount(2);
  grid.SetRowCount(3);
  grid.SetFixedRows(0);
  grid.SetCell(1, 0, "b");
  grid.SetCell(1, 1, "a");
  PressCell(1, 0);
  EXPECT_EQ(grid.Cell(1, 0), "b");
  EXPECT_FALSE(grid.Modified());
}

TEST_F(GridTest, SortShowsTheSortedRows) {
  grid.SetColCount(2);
  grid.SetRowCount(3);
  grid.SetCell(1, 1, "b");
  grid.SetCell(1, 2, "a");
  grid.SortByColumn(1, true);
  EXPECT_EQ(grid.model()->index(1, 1).data().toString(), "a");
  EXPECT_TRUE(grid.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is restored";
}

TEST_F(GridTest, FailedSortRestoresTheCursorAndLeavesModifiedAlone) {
  EXPECT_THROW(grid.SortByColumn(9, true), std::out_of_range);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(grid.updatesEnabled());
  EXPECT_FALSE(grid.Modified());
}

TEST_F(GridTest, RemoveRowEmptiesTheLastRowAndRemovesOthers) {
  struct Case {
    const char* label;
    int currentRow;
    int removed;
    std::vector<std::string> expected;  // column 1
    bool modified;
  };
  const Case cases[] = {
      {"first of three removed", 1, 1, {"b", "c"}, true},
      {"middle of three removed", 2, 2, {"a", "c"}, true},
      {"last of three emptied", 3, 3, {"a", "b", ""}, true},
      {"current row fixed: nothing", 0, 1, {"a", "b", "c"}, false},
      {"fixed row given: nothing", 1, 0, {"a", "b", "c"}, false},
      {"row beyond the table: nothing", 1, 4, {"a", "b", "c"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    grid.SetRowCount(4);
    for (int row = 1; row <= 3; ++row) grid.SetCell(1, row, std::string(1, char('a' + row - 1)));
    grid.SetModified(false);
    grid.SetRow(c.currentRow);
    ASSERT_EQ(grid.Row(), c.currentRow);
    grid.RemoveRow(c.removed);
    EXPECT_EQ(Column(1), c.expected) << c.label;
    EXPECT_EQ(grid.Modified(), c.modified) << c.label;
  }
}

TEST_F(GridTest, RemoveRowKeepsTheScrollPositionAndSelection) {
  grid.SetRowCount(41);
  grid.SetTopRow(10);
  grid.SetRow(12);
  grid.SetSelection({1, 12, 2, 14});
  ASSERT_EQ(grid.TopRow(), 10);
  grid.RemoveRow(12);
  EXPECT_EQ(grid.RowCount(), 40);
  EXPECT_EQ(grid.TopRow(), 10);
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 12, 2, 14}));
}

TEST_F(GridTest, RemoveRowKeepsALastRowWithoutFixedRowsToo) {
  grid.SetRowCount(1);
  grid.SetFixedRows(0);
  grid.SetCell(1, 0, "only");
  grid.SetRow(0);
  grid.RemoveRow(0);
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(grid.Cell(1, 0), "");
}

TEST_F(GridTest, RowOperationsSetModified) {
  struct Case {
    const char* label;
    void (*operation)(TMFStringGrid&);
    std::vector<std::string> expected;  // column 1 of the data rows a, b
  };
  const Case cases[] = {
      {"insert at 1", [](TMFStringGrid& g) { g.InsertRowAt(1); }, {"", "a", "b"}},
      {"insert at 2", [](TMFStringGrid& g) { g.InsertRowAt(2); }, {"a", "", "b"}},
      {"append", [](TMFStringGrid& g) { g.AppendRow(); }, {"a", "b", ""}},
      {"move", [](TMFStringGrid& g) { g.MoveRowTo(2, 1); }, {"b", "a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    grid.SetRowCount(3);
    grid.SetCell(1, 1, "a");
    grid.SetCell(1, 2, "b");
    grid.SetModified(false);
    c.operation(grid);
    EXPECT_EQ(Column(1), c.expected) << c.label;
    EXPECT_TRUE(grid.Modified()) << c.label;
  }
}

TEST_F(GridTest, DownArrowOnTheLastRowAddsARowByTheRule) {
  struct Case {
    const char* label;
    TOnKeyDown mode;
    int currentRow;
    std::string lastRowText;
    bool toEditor;  // the key reaches the in-place editor first
    int rowCount;   // after the key
    int row;        // current row after the key
  };
  const Case cases[] = {
      {"kdAlways adds a row", kdAlways, 2, "", false, 4, 3},
      {"kdAlways from the editor", kdAlways, 2, "", true, 4, 3},
      {"not on the last row: moves down", kdAlways, 1, "", false, 3, 2},
      {"kdLastRowNotEmpty, empty last row", kdLastRowNotEmpty, 2, "", false, 3, 2},
      {"kdLastRowNotEmpty, text in the last row", kdLastRowNotEmpty, 2, "x", false, 4, 3},
      {"kdNever", kdNever, 2, "x", false, 3, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    grid.SetRowCount(3);
    grid.Cells().ClearRow(2);
    grid.SetCell(3, 2, c.lastRowText);
    grid.SetNewRowOnKeyDown(c.mode);
    grid.SetModified(false);
    grid.SetRow(c.currentRow);
    QWidget* target = c.toEditor ? static_cast<QWidget*>(grid.InplaceEditor()) : &grid;
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.RowCount(), c.rowCount) << c.label;
    EXPECT_EQ(grid.Row(), c.row) << c.label;
    EXPECT_FALSE(grid.Modified()) << c.label;
  }
}

TEST_F(GridTest, TypedTextReachesTheCellAndSetsModified) {
  struct Case {
    const char* label;
    bool eolToSpace;
    bool modified;
  };
  const Case cases[] = {
      {"EOLToSpace on", true, true},
      {"EOLToSpace off: Modified untouched", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    grid.SetEOLToSpace(c.eolToSpace);
    grid.SetModified(false);
    grid.SetRow(1);
    grid.SetCol(2);
    QLineEdit* editor = grid.InplaceEditor();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "ab");
    EXPECT_EQ(grid.Cell(2, 1), "ab") << c.label;
    EXPECT_EQ(grid.Modified(), c.modified) << c.label;
  }
}

// Reaches the edit-text hook the way the editor does, with text no key can type.
class HookedGrid : public TMFStringGrid {
public:
  using TMFStringGrid::SetEditText;
};

TEST(GridEditHook, LineBreaksBecomeOneBlank) {
  struct Case {
    const char* label;
    std::string typed;
    bool eolToSpace;
    std::string stored;
  };
  const Case cases[] = {
      {"CR LF", "a\r\nb", true, "a b"},
      {"two pairs", "\r\na\r\n", true, " a "},
      {"lone CR and LF stay", "a\rb\nc\n\r", true, "a\rb\nc\n\r"},
      {"EOLToSpace off", "a\r\nb", false, "a\r\nb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    HookedGrid grid;
    grid.SetEOLToSpace(c.eolToSpace);
    grid.SetEditText(grid.Col(), grid.Row(), c.typed);
    EXPECT_EQ(grid.Cell(grid.Col(), grid.Row()), c.stored) << c.label;
    EXPECT_FALSE(grid.Modified()) << c.label << ": the editor itself was not changed by the user";
  }
}

TEST_F(GridTest, LoadFromAnExistingFileSetsModifiedAndShowsTheRows) {
  TempDir dir;
  grid.SetColCount(4);
  grid.SetCell(1, 1, "before");
  grid.LoadFromDelimitedFile(dir.File("missing.dat"), '\t', false, false);
  EXPECT_FALSE(grid.Modified());
  EXPECT_EQ(grid.Cell(1, 1), "before");

  grid.LoadFromDelimitedFile(dir.Write("schedfile.dat", "a\tb\tc\r\nd\te\tf\r\n"), '\t', false, false);
  EXPECT_TRUE(grid.Modified());
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.model()->rowCount(), 3);
  EXPECT_EQ(grid.model()->index(2, 3).data().toString(), "f");

  grid.SetModified(false);
  grid.SaveToCommaFile(dir.File("rows.csv"));
  EXPECT_FALSE(grid.Modified());
  EXPECT_EQ(TempDir::Read(dir.File("rows.csv")), ",,\r\na,b,c\r\nd,e,f\r\n");
}

TEST_F(GridTest, MouseCoordFindsTitleAndDataCells) {
  grid.SetColCount(4);
  grid.SetRowCount(3);
  QHeaderView* header = grid.horizontalHeader();
  QPoint title = header->mapTo(&grid, QPoint(header->sectionViewportPosition(2) + 3, 3));
  EXPECT_EQ(grid.MouseCoord(title.x(), title.y()), (TGridCoord{2, 0}));
  QPoint fixed = grid.verticalHeader()->mapTo(&grid, QPoint(2, 2));
  EXPECT_EQ(grid.MouseCoord(fixed.x(), fixed.y()).X, 0);
  QPoint cell = grid.viewport()->mapTo(&grid, grid.visualRect(grid.model()->index(2, 3)).center());
  EXPECT_EQ(grid.MouseCoord(cell.x(), cell.y()), (TGridCoord{3, 2}));
  EXPECT_EQ(grid.MouseCoord(-5, -5), (TGridCoord{-1, -1}));
}

}  // namespace

namespace {

TEST_F(GridTest, CellMovesAndReleasedKeysReachTheOwner) {
  int clicks = 0;
  std::vector<int> released;
  QObject::connect(&grid, &TStringGrid::Click, [&] { ++clicks; });
  QObject::connect(&grid, &TStringGrid::KeyUp, [&](int key, Qt::KeyboardModifiers) { released.push_back(key); });
  grid.SetRow(2);
  EXPECT_EQ(clicks, 1) << "a move of the current cell";
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(3, 2)).center());
  EXPECT_EQ(clicks, 2) << "a click on another cell";
  ASSERT_NE(grid.InplaceEditor(), nullptr);
  QTest::keyRelease(grid.InplaceEditor(), Qt::Key_A);
  QTest::keyRelease(&grid, Qt::Key_B);
  EXPECT_EQ(released, (std::vector<int>{Qt::Key_A, Qt::Key_B})) << "also while a cell is edited in place";
}

}  // namespace
